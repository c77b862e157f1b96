// Shadows: the drawn layer's coverage, blurred, offset and painted in the shadow color beneath it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"

namespace webview {
namespace {

// One pass of a box blur along rows (or columns) of an A8 bitmap.
void boxBlur(std::vector<unsigned char>& data, int width, int height, int stride, int radius, bool horizontal) {
    if (radius <= 0) return;
    const int lines = horizontal ? height : width, length = horizontal ? width : height;
    const int step = horizontal ? 1 : stride;
    std::vector<unsigned char> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        unsigned char* start = data.data() + (horizontal ? l * stride : l);
        for (int i = 0; i < length; ++i) line[size_t(i)] = start[i * step];
        int sum = 0;
        const int window = 2 * radius + 1;
        for (int i = -radius; i <= radius; ++i) sum += (i >= 0 && i < length) ? line[size_t(i)] : 0;
        for (int i = 0; i < length; ++i) {
            start[i * step] = static_cast<unsigned char>((sum + window / 2) / window);
            const int out = i - radius, in = i + radius + 1;
            sum += (in < length ? line[size_t(in)] : 0) - (out >= 0 ? line[size_t(out)] : 0);
        }
    }
}

}  // namespace

bool Context2D::hasVisibleShadow() const {
    const DrawingState& s = state();
    return s.shadowColor.a > 0 && (s.shadowBlur > 0 || s.shadowOffsetX != 0 || s.shadowOffsetY != 0);
}

void Context2D::paintShadow(cairo_t* cr, cairo_pattern_t* layer, cairo_operator_t op) {
    const DrawingState& s = state();
    const int width = int(canvas_.width()), height = int(canvas_.height());
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* m = cairo_create(mask);
    cairo_set_source(m, layer);
    cairo_paint(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);

    // Three box blurs approximate the Gaussian of standard deviation blur / 2.
    const double sigma = s.shadowBlur / 2;
    if (sigma > 0) {
        const int stride = cairo_image_surface_get_stride(mask);
        unsigned char* bytes = cairo_image_surface_get_data(mask);
        std::vector<unsigned char> data(bytes, bytes + size_t(stride) * height);
        // A box wider than the canvas spreads every line evenly all the same;
        // wider still only costs time, and past 2^31 would overflow.
        const double wanted = std::floor(sigma * 3 * std::sqrt(2 * M_PI) / 4 + 0.5) / 2;
        const int radius = int(std::min(wanted, double(std::max(width, height))));
        for (int pass = 0; pass < 3; ++pass) {
            boxBlur(data, width, height, stride, radius, true);
            boxBlur(data, width, height, stride, radius, false);
        }
        std::copy(data.begin(), data.end(), bytes);
        cairo_surface_mark_dirty(mask);
    }
    // Offsets are in canvas pixels, whatever the transform.
    cairo_set_source_rgba(cr, s.shadowColor.r / 255.0, s.shadowColor.g / 255.0, s.shadowColor.b / 255.0,
                          s.shadowColor.a / 255.0 * s.globalAlpha);
    cairo_set_operator(cr, op);
    // An offset past the canvas puts the whole shadow outside it.
    if (std::abs(s.shadowOffsetX) < width && std::abs(s.shadowOffsetY) < height)
        cairo_mask_surface(cr, mask, s.shadowOffsetX, s.shadowOffsetY);
    cairo_surface_destroy(mask);
}

}  // namespace webview
