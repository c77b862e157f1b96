#include "platform/graphics/Image.h"

#include <cmath>
#include <cstring>

#include "platform/foundation/AtomicWrite.h"
#include "platform/graphics/EncodedImageMemo.h"

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
    struct Reader {
        const std::string& bytes;
        size_t offset = 0;
    } reader{data};
    cairo_surface_t* png = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* out, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->offset + length > r->bytes.size()) return CAIRO_STATUS_READ_ERROR;
            std::memcpy(out, r->bytes.data() + r->offset, length);
            r->offset += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return nullptr;
    }
    if (cairo_image_surface_get_format(png) == CAIRO_FORMAT_ARGB32) return std::make_shared<UIImage>(png, scale);
    // Opaque or grey PNGs come back in other formats; images here are always ARGB32.
    const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(png);
    return std::make_shared<UIImage>(argb, scale);
}

std::string UIImage::pngData() const {
    std::string bytes;
    cairo_surface_flush(surface_);
    cairo_surface_write_to_png_stream(
        surface_,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

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
