#include "platform/uikit/drawing/UIImageDrawing.h"

namespace uikit {

void drawImageInRect(cairo_t* cr, const UIImage& image, const CGRect& rect, double alpha) {
    drawImageInRect(cr, image, rect, nullptr, alpha);
}

void drawImageInRect(cairo_t* cr, const UIImage& image, const CGRect& rect, const UIColor* tint, double alpha) {
    if (!cr || image.pixelWidth() == 0 || image.pixelHeight() == 0 || rect.size.width <= 0 || rect.size.height <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, rect.origin.x, rect.origin.y);
    cairo_scale(cr, rect.size.width / image.pixelWidth(), rect.size.height / image.pixelHeight());
    cairo_rectangle(cr, 0, 0, image.pixelWidth(), image.pixelHeight());
    cairo_clip(cr);
    if (tint && (image.renderingMode() == UIImage::RenderingMode::AlwaysTemplate)) {
        setSourceColor(cr, tint->withAlpha(tint->alpha() * alpha));
        cairo_mask_surface(cr, image.surface(), 0, 0);
    } else {
        cairo_set_source_surface(cr, image.surface(), 0, 0);
        // Pixel-aligned unscaled images stay sharp; scaled ones filter smoothly.
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        if (alpha >= 1) cairo_paint(cr);
        else cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
}

void drawImageAtPoint(const UIImage& image, CGPoint point) {
    drawImageInRect(UIGraphicsGetCurrentContext(), image, {point, {image.width(), image.height()}});
}

void drawImageInRect(const UIImage& image, const CGRect& rect) {
    drawImageInRect(UIGraphicsGetCurrentContext(), image, rect);
}

UIImagePtr imageWithRenderingMode(const UIImagePtr& image, UIImage::RenderingMode mode) {
    return image ? image->imageWithRenderingMode(mode) : nullptr;
}

}  // namespace uikit
