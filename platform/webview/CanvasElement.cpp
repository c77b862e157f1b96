#include "platform/webview/CanvasElement.h"

#include "platform/foundation/Base64.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/webview/Context2D.h"
#include "platform/graphics/PngWriter.h"

namespace webview {

CanvasElement::CanvasElement() = default;

CanvasElement::~CanvasElement() {
    context_.reset();
    if (surface_) cairo_surface_destroy(surface_);
}

void CanvasElement::setWidth(unsigned w) {
    width_ = w;
    reallocate();
}

void CanvasElement::setHeight(unsigned h) {
    height_ = h;
    reallocate();
}

void CanvasElement::reallocate() {
    if (context_) context_->detachSurface();
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
    if (context_) context_->reset();
}

cairo_surface_t* CanvasElement::surface() const {
    const bool fits = width_ > 0 && height_ > 0 && width_ <= kMaxSide && height_ <= kMaxSide &&
                      long(width_) * long(height_) <= kMaxArea;
    if (surface_ || !fits) return surface_;
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width_), int(height_));
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    } else if (observer_) {
        observer_(size_t(width_) * height_ * 4);
    }
    return surface_;
}

Context2D& CanvasElement::context2d() {
    if (!context_) context_ = std::make_unique<Context2D>(*this);
    return *context_;
}

std::string CanvasElement::pngBytes() const {
    if (!surface()) return {};
    std::string bytes = graphics::writePNG(surface_);
    graphics::rememberEncodedPNG(bytes, surface_);
    return bytes;
}

std::string CanvasElement::toDataURL(const std::string&) const {
    if (!surface()) return "data:,";
    return "data:image/png;base64," + foundation::base64Encode(pngBytes());
}

}  // namespace webview
