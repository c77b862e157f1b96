#include "common/ImageTransforms.h"

namespace Padding {

graphics::Image imageWithRightPadding(const graphics::Image& image, double padding) {
    if (!image) return nullptr;
    graphics::BitmapContext bitmap(image->width() + padding, image->height(), image->scale());
    cairo_set_source_surface(bitmap.cairo(), image->surface(), 0, 0);
    cairo_paint(bitmap.cairo());
    return bitmap.image();
}

}  // namespace Padding
