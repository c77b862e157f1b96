#include "platform/webview/ImageElement.h"


#include "platform/foundation/Base64.h"
#include "platform/graphics/PNG.h"

namespace webview {

ImageElement::~ImageElement() {
    if (surface_) cairo_surface_destroy(surface_);
}

void ImageElement::setSrc(const std::string& src) {
    src_ = src;
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
    const auto marker = src.find(";base64,");
    if (src.rfind("data:", 0) != 0 || marker == std::string::npos) return;
    if (auto bytes = foundation::base64DecodeStrict(std::string_view(src).substr(marker + 8))) surface_ = graphics::asARGB32(graphics::decodePNG(*bytes));
}

unsigned ImageElement::naturalWidth() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
unsigned ImageElement::naturalHeight() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }

}  // namespace webview
