#include "common/ImageTransforms.h"

namespace Colored {

graphics::Image changeImageColor(const graphics::Image& image, const graphics::Color& color) {
    if (!image) return nullptr;
    const double scale = graphics::mainScreenScale();
    graphics::BitmapContext bitmap(image->width(), image->height(), scale);
    cairo_t* cr = bitmap.cairo();
    // Work in points so an image of another scale is drawn at its size.
    cairo_scale(cr, scale, scale);
    cairo_scale(cr, 1 / image->scale(), 1 / image->scale());
    cairo_set_source_surface(cr, image->surface(), 0, 0);
    cairo_paint(cr);
    // The color through the input's own alpha, over what was drawn.
    cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
    cairo_mask_surface(cr, image->surface(), 0, 0);
    return bitmap.image();
}

}  // namespace Colored
