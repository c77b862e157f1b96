// A stand-in tray on the session bus: it owns the watcher name as a panel does.
//   stand_in_tray snapshot OUT.png   waits for an item, reads its IconPixmap and
//                                    ToolTip and draws a panel strip showing them
//   stand_in_tray record FILE        appends each registration to FILE until killed
#include <cairo.h>
#include <pango/pangocairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/hosts/TrayTestSupport.h"

namespace {

void text(cairo_t* cr, const std::string& s, const char* font, double x, double y, double r, double g, double b,
          double* width = nullptr) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_text(layout, s.c_str(), -1);
    int w, h;
    pango_layout_get_pixel_size(layout, &w, &h);
    if (width) *width = w;
    cairo_set_source_rgb(cr, r, g, b);
    cairo_move_to(cr, x, y - h / 2.0);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(description);
    g_object_unref(layout);
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -G_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, G_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, G_PI / 2, G_PI);
    cairo_arc(cr, x + r, y + r, r, G_PI, 1.5 * G_PI);
    cairo_close_path(cr);
}

cairo_surface_t* surfaceOf(const Pixmap& p) {
    const Pixmap pre = premultiplied(p);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
    cairo_surface_flush(s);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* a = &pre.argb[(size_t(y) * p.width + x) * 4];
            const uint32_t v = uint32_t(a[0]) << 24 | uint32_t(a[1]) << 16 | uint32_t(a[2]) << 8 | a[3];
            *reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4) = v;
        }
    cairo_surface_mark_dirty(s);
    return s;
}

int record(TestWatcher& tray, const char* path) {
    size_t written = 0;
    for (;;) {
        tray.waitUntil([&] { return tray.registrations().size() > written; }, std::chrono::seconds(60));
        std::FILE* f = std::fopen(path, "a");
        for (; written < tray.registrations().size(); ++written)
            std::fprintf(f, "%s\n", tray.registrations()[written].c_str());
        std::fclose(f);
    }
}

int snapshot(TestWatcher& tray, const char* path) {
    if (!tray.waitUntil([&] { return !tray.registrations().empty(); }, std::chrono::seconds(20)))
        return std::fprintf(stderr, "stand_in_tray: no item registered\n"), 1;
    const std::string item = tray.registrations()[0];
    tray.waitUntil([] { return false; }, std::chrono::milliseconds(300));  // let the first frames settle
    const auto pixmaps = tray.pixmapProperty(item, "IconPixmap");
    const std::string tip = tray.toolTipTitle(item), title = tray.stringProperty(item, "Title");
    if (pixmaps.empty()) return std::fprintf(stderr, "stand_in_tray: the item has no pixmap\n"), 1;
    // A 2x panel 64 px high: the full-size pixmap fits its 40 px icon row.
    const Pixmap& icon = pixmaps[0];
    const int width = 900, panel = 64, height = 190;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.95);  // the desktop below the panel
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.13, 0.13, 0.16);
    cairo_rectangle(cr, 0, 0, width, panel);
    cairo_fill(cr);
    text(cr, "Activities", "Sans Bold 15", 24, panel / 2.0, 0.92, 0.92, 0.95);
    double w;
    text(cr, "Wed 14:05", "Sans Bold 15", 0, -100, 1, 1, 1, &w);
    const double clockX = (width - w) / 2;
    text(cr, "Wed 14:05", "Sans Bold 15", clockX, panel / 2.0, 0.92, 0.92, 0.95);

    // The tray on the right: the item, then the panel's own menu glyph.
    const double iconX = width - 24 - 28 - 22 - icon.width, iconY = (panel - icon.height) / 2.0;
    cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
    roundRect(cr, iconX - 10, 8, icon.width + 20, panel - 16, 10);
    cairo_fill(cr);
    cairo_surface_t* s = surfaceOf(icon);
    cairo_set_source_surface(cr, s, iconX, iconY);
    cairo_paint(cr);
    cairo_surface_destroy(s);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.95);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, width - 24 - 28, panel / 2.0 - 9 + i * 8, 24, 3);
        cairo_fill(cr);
    }

    // The tooltip the item gives, as the panel shows it on hover.
    double tipW;
    text(cr, tip, "Sans 14", 0, -100, 0, 0, 0, &tipW);
    double titleW;
    text(cr, title, "Sans Bold 14", 0, -100, 0, 0, 0, &titleW);
    const double boxW = std::max(tipW, titleW) + 32, boxX = std::min(iconX + icon.width / 2.0 - boxW / 2, width - boxW - 12);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.24);
    roundRect(cr, boxX, panel + 12, boxW, 70, 8);
    cairo_fill(cr);
    text(cr, title, "Sans Bold 14", boxX + 16, panel + 12 + 22, 0.95, 0.95, 0.97);
    text(cr, tip, "Sans 14", boxX + 16, panel + 12 + 48, 0.85, 0.85, 0.9);

    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(out, path);
    cairo_surface_destroy(out);
    if (status != CAIRO_STATUS_SUCCESS) return std::fprintf(stderr, "stand_in_tray: cannot write %s\n", path), 1;
    std::printf("stand_in_tray: %s (%s, %dx%d px icon, tooltip \"%s\")\n", path, item.c_str(), icon.width,
                icon.height, tip.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "snapshot" && mode != "record")
        return std::fprintf(stderr, "usage: stand_in_tray snapshot OUT.png | record FILE\n"), 2;
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address) return std::fprintf(stderr, "stand_in_tray: no session bus\n"), 1;
    TestWatcher tray(address);
    return mode == "record" ? record(tray, argv[2]) : snapshot(tray, argv[2]);
}
