#include "platform/graphics/Image.h"

#include <cmath>

#include "platform/foundation/AtomicWrite.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/graphics/PNG.h"

namespace graphics {
namespace {

double gMainScreenScale = 2;

// Points to pixels, tolerating the float error of sizes that came from pixels.
int pixels(double points, double scale) { return std::max(0, int(std::ceil(points * scale - 1e-6))); }

}  // namespace

UIImage::UIImage(cairo_surface_t* surface, double scale) : surface_(surface), scale_(scale > 0 ? scale : 1) {}

UIImage::~UIImage() { cairo_surface_destroy(surface_); }

std::shared_ptr<UIImage> UIImage::imageWithData(const std::string& data, double scale) {
    if (cairo_surface_t* known = recallDecodedPNG(data)) return std::make_shared<UIImage>(known, scale);
    cairo_surface_t* png = decodePNG(data);
    if (!png) return nullptr;
    // Opaque or grey PNGs come back in other formats; images here are always ARGB32.
    return std::make_shared<UIImage>(asARGB32(png), scale);
}

std::shared_ptr<UIImage> UIImage::imageWithRenderingMode(RenderingMode mode) const {
    auto copy = std::make_shared<UIImage>(cairo_surface_reference(surface_), scale_);
    copy->renderingMode_ = mode;
    return copy;
}

std::string UIImage::pngData() const { return encodePNG(surface_); }

bool UIImage::writePNG(const std::string& path) const { return foundation::writeFileAtomically(path, pngData()); }

double mainScreenScale() { return gMainScreenScale; }
void setMainScreenScale(double scale) {
    if (scale > 0 && std::isfinite(scale)) gMainScreenScale = scale;
}

BitmapContext::BitmapContext(double widthPoints, double heightPoints, double scale)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels(widthPoints, scale), pixels(heightPoints, scale))),
      cr_(cairo_create(surface_)),
      scale_(scale) {}

BitmapContext::~BitmapContext() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

int BitmapContext::pixelWidth() const { return cairo_image_surface_get_width(surface_); }
int BitmapContext::pixelHeight() const { return cairo_image_surface_get_height(surface_); }

Image BitmapContext::image() {
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_flush(surface_);
    auto image = std::make_shared<UIImage>(surface_, scale_);
    surface_ = nullptr;
    return image;
}

}  // namespace graphics
