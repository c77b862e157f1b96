#include "platform/graphics/EncodedImageMemo.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>

namespace graphics {
namespace {

struct Entry {
    std::string png;
    cairo_surface_t* decoded;
};

constexpr size_t kKept = 4;

std::mutex& lock() {
    static std::mutex m;
    return m;
}
std::deque<Entry>& entries() {
    static auto* d = new std::deque<Entry>();
    return *d;
}

// PNG keeps colors unpremultiplied: what comes back from writing and reading a
// premultiplied channel, with the rounding of cairo's own writer and reader,
// by alpha and channel (a table: an 800-pixel icon has half a million pixels).
const unsigned char* roundTripTable() {
    static const auto* table = [] {
        auto* t = new unsigned char[256 * 256];
        for (uint32_t a = 0; a < 256; ++a)
            for (uint32_t c = 0; c < 256; ++c) {
                const uint32_t straight = a ? (c * 255 + a / 2) / a : 0;
                const uint32_t v = a * straight + 0x80;
                t[a * 256 + c] = static_cast<unsigned char>((v + (v >> 8)) >> 8);
            }
        return t;
    }();
    return table;
}

uint32_t roundTrip(uint32_t pixel) {
    const uint32_t a = pixel >> 24;
    if (a == 0) return 0;
    if (a == 0xFF) return pixel;
    const unsigned char* t = roundTripTable() + a * 256;
    return (a << 24) | (uint32_t(t[(pixel >> 16) & 0xFF]) << 16) | (uint32_t(t[(pixel >> 8) & 0xFF]) << 8) |
           t[pixel & 0xFF];
}

cairo_surface_t* throughPNG(cairo_surface_t* source) {
    const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(source);
    const int from = cairo_image_surface_get_stride(source), to = cairo_image_surface_get_stride(copy);
    const unsigned char* in = cairo_image_surface_get_data(source);
    unsigned char* out = cairo_image_surface_get_data(copy);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p;
            std::memcpy(&p, in + y * from + x * 4, 4);
            p = roundTrip(p);
            std::memcpy(out + y * to + x * 4, &p, 4);
        }
    }
    cairo_surface_mark_dirty(copy);
    return copy;
}

}  // namespace

void rememberEncodedPNG(const std::string& png, cairo_surface_t* source) {
    if (png.empty() || !source || cairo_image_surface_get_format(source) != CAIRO_FORMAT_ARGB32) return;
    cairo_surface_t* decoded = throughPNG(source);
    rememberDecodedPNG(png, decoded);
    cairo_surface_destroy(decoded);
}

void rememberDecodedPNG(const std::string& png, cairo_surface_t* decoded) {
    if (png.empty() || !decoded) return;
    std::lock_guard guard(lock());
    auto& memo = entries();
    if (memo.size() == kKept) {
        cairo_surface_destroy(memo.back().decoded);
        memo.pop_back();
    }
    memo.push_front({png, cairo_surface_reference(decoded)});
}

cairo_surface_t* recallDecodedPNG(const std::string& png) {
    std::lock_guard guard(lock());
    // Shared, not copied: nobody draws into an image's surface once it is made.
    for (const auto& entry : entries())
        if (entry.png == png) return cairo_surface_reference(entry.decoded);
    return nullptr;
}

}  // namespace graphics
