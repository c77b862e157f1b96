#include "platform/uikit/drawing/UIGraphics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace uikit {
namespace {

struct Entry {
    cairo_t* cr;
    bool ownsImage;  // pushed by an image context, destroyed on end
    double scale;
};

thread_local std::vector<Entry> gStack;

int pixels(double points, double scale) {
    const double p = std::ceil(points * scale - 1e-6);
    return std::isfinite(p) ? int(std::clamp(p, 0.0, 32767.0)) : 0;
}

}  // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) scale = graphics::mainScreenScale();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels(size.width, scale),
                                                          pixels(size.height, scale));
    cairo_t* cr = cairo_create(surface);
    cairo_surface_destroy(surface);
    if (opaque) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    cairo_scale(cr, scale, scale);
    gStack.push_back({cr, true, scale});
}

UIImagePtr UIGraphicsGetImageFromCurrentImageContext() {
    for (auto it = gStack.rbegin(); it != gStack.rend(); ++it) {
        if (!it->ownsImage) continue;
        cairo_surface_t* target = cairo_get_target(it->cr);
        cairo_surface_flush(target);
        const int w = cairo_image_surface_get_width(target), h = cairo_image_surface_get_height(target);
        cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* c = cairo_create(copy);
        cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(c, target, 0, 0);
        cairo_paint(c);
        cairo_destroy(c);
        cairo_surface_flush(copy);
        return std::make_shared<UIImage>(copy, it->scale);
    }
    return nullptr;
}

void UIGraphicsEndImageContext() {
    for (auto it = gStack.rbegin(); it != gStack.rend(); ++it)
        if (it->ownsImage) {
            cairo_destroy(it->cr);
            gStack.erase(std::next(it).base());
            return;
        }
}

cairo_t* UIGraphicsGetCurrentContext() { return gStack.empty() ? nullptr : gStack.back().cr; }
void UIGraphicsPushContext(cairo_t* cr) { gStack.push_back({cr, false, 1}); }
void UIGraphicsPopContext() {
    if (!gStack.empty() && !gStack.back().ownsImage) gStack.pop_back();
}

void UIRectFill(const CGRect& rect, const UIColor& color) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    cairo_save(cr);
    setSourceColor(cr, color);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace uikit
