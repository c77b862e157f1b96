// The desktop window as a module the host loads only to open one, so that
// screenshots and scripts never load SDL and the libraries it brings.
#include <cairo.h>

#include <cmath>

#include <string>

#include "platform/uikit/screens/SDLScreen.h"

namespace {

// The installed ampora.svg drawn with cairo: the window manager needs pixels
// and no SVG reader is linked. Keep the two alike.
void setAmporaIcon(uikit::SDLScreen& screen) {
    constexpr int kSize = 64;
    cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
    cairo_t* cr = cairo_create(icon);
    auto roundedRect = [cr](double x, double y, double w, double h, double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
        cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
        cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
        cairo_close_path(cr);
    };
    auto stroke = [cr] {
        cairo_move_to(cr, 10, 40);
        cairo_curve_to(cr, 16, 24, 24, 38, 30, 26);
        cairo_curve_to(cr, 36, 14, 42, 34, 48, 24);
    };
    const double light[] = {0xf4 / 255.0, 0xf1 / 255.0, 0xf8 / 255.0};
    roundedRect(4, 18, 50, 28, 7);
    cairo_set_source_rgb(cr, 0x1d / 255.0, 0x1b / 255.0, 0x22 / 255.0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, light[0], light[1], light[2]);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    roundedRect(55, 26, 5, 12, 2);
    cairo_fill(cr);
    stroke();
    cairo_line_to(cr, 48, 40);
    cairo_close_path(cr);
    cairo_pattern_t* charge = cairo_pattern_create_linear(10, 0, 48, 0);
    cairo_pattern_add_color_stop_rgb(charge, 0, 0x8f / 255.0, 0, 1);
    cairo_pattern_add_color_stop_rgb(charge, 1, 0xd3 / 255.0, 0x6b / 255.0, 1);
    cairo_set_source(cr, charge);
    cairo_fill(cr);
    cairo_pattern_destroy(charge);
    stroke();
    cairo_set_source_rgb(cr, light[0], light[1], light[2]);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(icon);
    screen.setIcon(cairo_image_surface_get_data(icon), kSize, kSize, cairo_image_surface_get_stride(icon));
    cairo_surface_destroy(icon);
}

}  // namespace

// Shows `window` until it is closed; false with the reason in `error` when no window opens.
// `scale` 0 takes the desktop's.
extern "C" bool amporaRunSettingsWindow(const uikit::UIWindowPtr* window, double scale, std::string* error) {
    auto screen = uikit::SDLScreen::open(*window, "Ampora", scale, *error);
    if (!screen) return false;
    setAmporaIcon(*screen);
    screen->run();
    return true;
}
