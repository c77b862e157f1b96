#include "platform/webview/ImageElement.h"

#include <cstring>

#include "platform/foundation/Base64.h"

namespace webview {

cairo_surface_t* decodePNG(const std::string& bytes) {
    struct Reader {
        const std::string& bytes;
        size_t offset = 0;
    } reader{bytes};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->offset + length > r->bytes.size()) return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, r->bytes.data() + r->offset, length);
            r->offset += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return surface;
}

ImageElement::~ImageElement() {
    if (surface_) cairo_surface_destroy(surface_);
}

void ImageElement::setSrc(const std::string& src) {
    src_ = src;
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
    const auto marker = src.find(";base64,");
    if (src.rfind("data:", 0) != 0 || marker == std::string::npos) return;
    if (auto bytes = foundation::base64DecodeStrict(std::string_view(src).substr(marker + 8))) surface_ = decodePNG(*bytes);
}

unsigned ImageElement::naturalWidth() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
unsigned ImageElement::naturalHeight() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }

}  // namespace webview
