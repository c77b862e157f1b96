#include "platform/graphics/PNG.h"

#include "platform/graphics/PngWriter.h"

#include <cstring>

namespace graphics {

std::string encodePNG(cairo_surface_t* surface) {
    // Ours is several times faster; cairo's writer takes what ours does not.
    if (std::string fast = writePNG(surface); !fast.empty()) return fast;
    std::string bytes;
    cairo_surface_flush(surface);
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

cairo_surface_t* decodePNG(const std::string& bytes) {
    // The signature, then IHDR: length, type, width and height, big-endian.
    if (bytes.size() < 24 || bytes.compare(12, 4, "IHDR") != 0) return nullptr;
    auto be32 = [&](size_t at) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        return (unsigned long)b[0] << 24 | (unsigned long)b[1] << 16 | (unsigned long)b[2] << 8 | b[3];
    };
    const unsigned long width = be32(16), height = be32(20);
    if (width > kMaxDecodedSide || height > kMaxDecodedSide || width * height > kMaxDecodedArea) return nullptr;
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

cairo_surface_t* asARGB32(cairo_surface_t* surface) {
    if (!surface || cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32) return surface;
    cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
                                                       cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return argb;
}

}  // namespace graphics
