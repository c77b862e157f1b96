// Filters: each drawing is painted into a layer of its own and filtered there
// before shadow, global alpha and compositing see it.
#include <algorithm>
#include <cmath>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"
#include "platform/webview/GaussianBlur.h"

namespace webview {
namespace {

void applyOpacity(cairo_surface_t* surface, double opacity) {
    if (opacity >= 1) return;
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface), height = cairo_image_surface_get_height(surface);
    const size_t bytes = size_t(cairo_image_surface_get_width(surface)) * 4;
    // Premultiplied: every channel scales alike. Truncated, as the browser does (255 * 0.5 is 127).
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < bytes; ++i) {
            unsigned char& c = data[size_t(y) * size_t(stride) + i];
            c = static_cast<unsigned char>(c * opacity);
        }
}

// The layer's alpha, blurred, offset and colored, beneath the layer.
void addDropShadow(cairo_surface_t* layer, const FilterOp& op) {
    const int width = cairo_image_surface_get_width(layer), height = cairo_image_surface_get_height(layer);
    // An offset past the layer puts the whole shadow outside it.
    if (std::abs(op.dx) >= width || std::abs(op.dy) >= height) return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* m = cairo_create(mask);
    cairo_set_source_surface(m, layer, 0, 0);
    cairo_paint(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);
    gaussianBlur(cairo_image_surface_get_data(mask), width, height, cairo_image_surface_get_stride(mask), 1,
                 op.stdDeviation);
    cairo_surface_mark_dirty(mask);
    cairo_t* cr = cairo_create(layer);
    cairo_set_source_rgba(cr, op.color.r / 255.0, op.color.g / 255.0, op.color.b / 255.0, op.color.a / 255.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
    cairo_mask_surface(cr, mask, op.dx, op.dy);
    cairo_destroy(cr);
    cairo_surface_destroy(mask);
    cairo_surface_flush(layer);
}

}  // namespace

void Context2D::setFilter(const std::string& v) {
    auto ops = parseCssFilter(v, state().font.sizePx);
    if (!ops) return;
    auto filter = std::make_shared<CanvasFilter>();
    filter->text = v;
    filter->ops = std::move(*ops);
    state().filter = std::move(filter);
}

std::string Context2D::filter() const { return state().filter ? state().filter->text : "none"; }

void Context2D::addFilterReach(Reach& reach) const {
    for (const FilterOp& op : state().filter->ops) {
        if (op.kind == FilterOp::Kind::Opacity) continue;
        const double blur = blurReach(op.stdDeviation);
        reach.left += blur, reach.right += blur, reach.top += blur, reach.bottom += blur;
        if (op.kind == FilterOp::Kind::DropShadow) {
            reach.left += std::max(0.0, op.dx), reach.right += std::max(0.0, -op.dx);
            reach.top += std::max(0.0, op.dy), reach.bottom += std::max(0.0, -op.dy);
        }
    }
}

void Context2D::applyFilter(const Layer& layer) const {
    cairo_surface_t* surface = layer.surface;
    for (const FilterOp& op : state().filter->ops) {
        switch (op.kind) {
        case FilterOp::Kind::Blur:
            gaussianBlur(cairo_image_surface_get_data(surface), cairo_image_surface_get_width(surface),
                         cairo_image_surface_get_height(surface), cairo_image_surface_get_stride(surface), 4,
                         op.stdDeviation);
            break;
        case FilterOp::Kind::Opacity: applyOpacity(surface, op.opacity); break;
        case FilterOp::Kind::DropShadow:
            cairo_surface_mark_dirty(surface);
            addDropShadow(surface, op);
            break;
        }
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace webview
