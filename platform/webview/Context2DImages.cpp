// Images and pixel data.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"
#include "platform/webview/DOMException.h"

namespace webview {
namespace {

// Keeps pixel arithmetic in range whatever a script passes.
double clampCoordinate(double v) { return std::clamp(v, -1e9, 1e9); }

}  // namespace

void Context2D::drawImage(cairo_surface_t* image, double sx, double sy, double sw, double sh, double dx, double dy,
                          double dw, double dh) {
    if (!image || !std::isfinite(sx + sy + sw + sh + dx + dy + dw + dh)) return;
    const double iw = cairo_image_surface_get_width(image), ih = cairo_image_surface_get_height(image);
    if (iw == 0 || ih == 0) return;
    // Negative sizes flip the rectangle's origin, not the picture.
    if (sw < 0) sx += sw, sw = -sw;
    if (sh < 0) sy += sh, sh = -sh;
    if (dw < 0) dx += dw, dw = -dw;
    if (dh < 0) dy += dh, dh = -dh;
    if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
    // A source rectangle reaching outside the image is cut, and the destination with it.
    const double scaleX = dw / sw, scaleY = dh / sh;
    if (sx < 0) dx -= sx * scaleX, dw += sx * scaleX, sw += sx, sx = 0;
    if (sy < 0) dy -= sy * scaleY, dh += sy * scaleY, sh += sy, sy = 0;
    if (sx + sw > iw) dw -= (sx + sw - iw) * scaleX, sw = iw - sx;
    if (sy + sh > ih) dh -= (sy + sh - ih) * scaleY, sh = ih - sy;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;

    composite([&](cairo_t* cr) {
        cairo_set_matrix(cr, &state().transform);
        cairo_new_path(cr);
        cairo_rectangle(cr, dx, dy, dw, dh);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, sx, sy);
        cairo_matrix_scale(&m, sw / dw, sh / dh);
        cairo_matrix_translate(&m, -dx, -dy);
        cairo_pattern_set_matrix(pattern, &m);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern, state().imageSmoothingEnabled ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
        cairo_fill(cr);
    });
}

ImageDataBytes Context2D::getImageData(double sx, double sy, double sw, double sh) {
    if (!std::isfinite(sx + sy + sw + sh)) throw DOMException("TypeError", "The provided value is non-finite.");
    if (std::trunc(sw) == 0) throw DOMException("IndexSizeError", "The source width is 0.");
    if (std::trunc(sh) == 0) throw DOMException("IndexSizeError", "The source height is 0.");
    if (sw < 0) sx += sw, sw = -sw;
    if (sh < 0) sy += sh, sh = -sh;
    const double w = std::trunc(sw), h = std::trunc(sh);
    if (w * h > CanvasElement::kMaxArea * 4)
        throw DOMException("RangeError", "Out of memory at ImageData creation");
    ImageDataBytes out;
    out.width = unsigned(w);
    out.height = unsigned(h);
    out.rgba.assign(size_t(w) * size_t(h) * 4, 0);
    cairo_surface_t* surface = canvas_.surface();
    if (!surface) return out;
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const long cw = canvas_.width(), ch = canvas_.height();
    const long x0 = long(std::floor(clampCoordinate(sx))), y0 = long(std::floor(clampCoordinate(sy)));
    for (long row = 0; row < long(h); ++row) {
        const long y = y0 + row;
        if (y < 0 || y >= ch) continue;
        for (long col = 0; col < long(w); ++col) {
            const long x = x0 + col;
            if (x < 0 || x >= cw) continue;
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + x * 4, 4);
            const unsigned a = pixel >> 24;
            unsigned char* o = &out.rgba[(size_t(row) * size_t(w) + size_t(col)) * 4];
            o[3] = static_cast<unsigned char>(a);
            if (a == 0) continue;
            // Un-premultiply, rounding half up.
            auto channel = [a](unsigned c) { return static_cast<unsigned char>(std::min(255u, (c * 255 + a / 2) / a)); };
            o[0] = channel((pixel >> 16) & 0xFF);
            o[1] = channel((pixel >> 8) & 0xFF);
            o[2] = channel(pixel & 0xFF);
        }
    }
    return out;
}

void Context2D::putImageData(const ImageDataBytes& image, double dx, double dy, double dirtyX, double dirtyY,
                             double dirtyW, double dirtyH) {
    if (!std::isfinite(dx + dy + dirtyX + dirtyY + dirtyW + dirtyH)) return;
    cairo_surface_t* surface = canvas_.surface();
    if (!surface) return;
    dx = clampCoordinate(dx), dy = clampCoordinate(dy);
    dirtyX = clampCoordinate(dirtyX), dirtyY = clampCoordinate(dirtyY);
    dirtyW = clampCoordinate(dirtyW), dirtyH = clampCoordinate(dirtyH);
    if (dirtyW < 0) dirtyX += dirtyW, dirtyW = -dirtyW;
    if (dirtyH < 0) dirtyY += dirtyH, dirtyH = -dirtyH;
    const long left = std::max<long>(0, long(std::floor(dirtyX))), top = std::max<long>(0, long(std::floor(dirtyY)));
    const long right = std::min<long>(image.width, long(std::floor(dirtyX + dirtyW)));
    const long bottom = std::min<long>(image.height, long(std::floor(dirtyY + dirtyH)));
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const long ox = long(std::trunc(dx)), oy = long(std::trunc(dy));
    for (long row = top; row < bottom; ++row) {
        const long y = oy + row;
        if (y < 0 || y >= long(canvas_.height())) continue;
        for (long col = left; col < right; ++col) {
            const long x = ox + col;
            if (x < 0 || x >= long(canvas_.width())) continue;
            const unsigned char* in = &image.rgba[(size_t(row) * image.width + size_t(col)) * 4];
            const unsigned a = in[3];
            auto premultiply = [a](unsigned c) { return (c * a + 127) / 255; };
            const uint32_t pixel = (a << 24) | (premultiply(in[0]) << 16) | (premultiply(in[1]) << 8) | premultiply(in[2]);
            std::memcpy(data + y * stride + x * 4, &pixel, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
}

cairo_surface_t* Context2D::snapshot() const {
    cairo_surface_t* source = canvas_.surface();
    if (!source) return nullptr;
    cairo_surface_flush(source);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(canvas_.width()), int(canvas_.height()));
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return copy;
}

}  // namespace webview
