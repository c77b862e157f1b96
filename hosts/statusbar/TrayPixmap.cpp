#include "hosts/statusbar/TrayPixmap.h"

#include <cstring>

namespace statusbar {

namespace {
constexpr int kSmallestExtraHeight = 16;
}

TrayPixmap trayPixmap(cairo_surface_t* surface) {
    TrayPixmap pixmap;
    cairo_surface_flush(surface);
    pixmap.width = cairo_image_surface_get_width(surface);
    pixmap.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    pixmap.argb.resize(size_t(pixmap.width) * pixmap.height * 4);
    uint8_t* out = pixmap.argb.data();
    for (int y = 0; y < pixmap.height; ++y) {
        for (int x = 0; x < pixmap.width; ++x, out += 4) {
            uint32_t p;
            std::memcpy(&p, data + size_t(y) * stride + x * 4, 4);
            const uint32_t a = p >> 24;
            // The rounding cairo uses when it writes a PNG, so both show the same pixels.
            auto straight = [a](uint32_t c) { return uint8_t(a ? (c * 255 + a / 2) / a : 0); };
            out[0] = uint8_t(a);
            out[1] = straight((p >> 16) & 0xff);
            out[2] = straight((p >> 8) & 0xff);
            out[3] = straight(p & 0xff);
        }
    }
    return pixmap;
}

std::vector<TrayPixmap> trayPixmaps(const graphics::Image& strip) {
    std::vector<TrayPixmap> pixmaps;
    if (!strip) return pixmaps;
    pixmaps.push_back(trayPixmap(strip->surface()));
    const int w = (strip->pixelWidth() + 1) / 2, h = (strip->pixelHeight() + 1) / 2;
    if (h < kSmallestExtraHeight) return pixmaps;
    cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(small);
    cairo_scale(cr, 0.5, 0.5);
    cairo_set_source_surface(cr, strip->surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    pixmaps.push_back(trayPixmap(small));
    cairo_surface_destroy(small);
    return pixmaps;
}

}  // namespace statusbar
