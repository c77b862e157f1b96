#include "common/ImageTransforms.h"

namespace Flipping {

graphics::Image flippedImageByAxis(const graphics::Image& image, long long axis) {
    if (!image) return nullptr;
    graphics::BitmapContext bitmap(image->width(), image->height(), image->scale());
    cairo_t* cr = bitmap.cairo();
    const double w = image->pixelWidth(), h = image->pixelHeight();
    if (axis != 1) {  // every axis but 1 mirrors top and bottom
        cairo_translate(cr, 0, h);
        cairo_scale(cr, 1, -1);
    }
    if (axis == 1 || axis == 2) {
        cairo_translate(cr, w, 0);
        cairo_scale(cr, -1, 1);
    }
    cairo_set_source_surface(cr, image->surface(), 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    return bitmap.image();
}

}  // namespace Flipping
