// Shadows: the drawn layer's coverage, blurred, offset and painted in the shadow color beneath it.
#include <algorithm>
#include <cmath>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"
#include "platform/webview/GaussianBlur.h"

namespace webview {

bool Context2D::hasVisibleShadow() const {
    const DrawingState& s = state();
    return s.shadowColor.a > 0 && (s.shadowBlur > 0 || s.shadowOffsetX != 0 || s.shadowOffsetY != 0);
}

void Context2D::addShadowReach(Reach& reach) const {
    const DrawingState& s = state();
    const double blur = blurReach(s.shadowBlur / 2);
    reach.left += blur + std::max(0.0, s.shadowOffsetX), reach.right += blur + std::max(0.0, -s.shadowOffsetX);
    reach.top += blur + std::max(0.0, s.shadowOffsetY), reach.bottom += blur + std::max(0.0, -s.shadowOffsetY);
}

void Context2D::paintShadow(cairo_t* cr, const Layer& layer, cairo_operator_t op) {
    const DrawingState& s = state();
    const int width = cairo_image_surface_get_width(layer.surface);
    const int height = cairo_image_surface_get_height(layer.surface);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* m = cairo_create(mask);
    cairo_set_source_surface(m, layer.surface, 0, 0);
    cairo_paint(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);
    gaussianBlur(cairo_image_surface_get_data(mask), width, height, cairo_image_surface_get_stride(mask), 1,
                 s.shadowBlur / 2);
    cairo_surface_mark_dirty(mask);
    // Offsets are in canvas pixels, whatever the transform.
    cairo_set_source_rgba(cr, s.shadowColor.r / 255.0, s.shadowColor.g / 255.0, s.shadowColor.b / 255.0,
                          s.shadowColor.a / 255.0 * s.globalAlpha);
    cairo_set_operator(cr, op);
    // An offset past the canvas puts the whole shadow outside it.
    const double x = s.shadowOffsetX - layer.left, y = s.shadowOffsetY - layer.top;
    if (x < canvas_.width() && x + width > 0 && y < canvas_.height() && y + height > 0)
        cairo_mask_surface(cr, mask, x, y);
    cairo_surface_destroy(mask);
}

}  // namespace webview
