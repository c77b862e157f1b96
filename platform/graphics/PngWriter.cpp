#include "platform/graphics/PngWriter.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace graphics {
namespace {

// Straight (not premultiplied) channel values by alpha and premultiplied
// value, rounded as cairo's writer rounds, so the two PNGs decode to the same
// pixels; a table instead of three divisions a pixel.
const unsigned char* unpremultiplyTable() {
    static const auto* table = [] {
        auto* t = new unsigned char[256 * 256];
        for (unsigned a = 0; a < 256; ++a)
            for (unsigned c = 0; c < 256; ++c) t[a * 256 + c] = a ? static_cast<unsigned char>((c * 255 + a / 2) / a) : 0;
        return t;
    }();
    return table;
}

// Cairo's ARGB32 words as straight RGBA bytes.
void unpremultiplyRow(const unsigned char* in, unsigned char* out, int width) {
    const unsigned char* table = unpremultiplyTable();
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
        std::uint32_t p;
        std::memcpy(&p, in, 4);
        const std::uint32_t a = p >> 24;
        std::uint32_t rgba;
        if (a == 0) {
            rgba = 0;
        } else if (a == 0xFF) {
            rgba = 0xFF000000u | ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
        } else {
            const unsigned char* t = table + a * 256;
            rgba = a << 24 | std::uint32_t(t[(p >> 16) & 0xFF]) | std::uint32_t(t[(p >> 8) & 0xFF]) << 8 |
                   std::uint32_t(t[p & 0xFF]) << 16;
        }
        std::memcpy(out, &rgba, 4);  // bytes R, G, B, A on this little-endian machine
    }
}

// PNG's "Up" filter: each byte minus the byte above, eight bytes at a time
// without borrows crossing bytes.
void upFilter(const unsigned char* row, const unsigned char* above, unsigned char* out, size_t length) {
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, row + i, 8);
        std::memcpy(&y, above + i, 8);
        const std::uint64_t d = ((x | kHigh) - (y & ~kHigh)) ^ ((x ^ ~y) & kHigh);
        std::memcpy(out + i, &d, 8);
    }
    for (; i < length; ++i) out[i] = static_cast<unsigned char>(row[i] - above[i]);
}

void put32(std::string& out, std::uint32_t v) {
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

// Length, type, data, then the CRC of type and data.
void chunk(std::string& out, const char* type, const void* data, size_t length) {
    put32(out, std::uint32_t(length));
    const size_t start = out.size();
    out.append(type, 4);
    out.append(static_cast<const char*>(data), length);
    put32(out, libdeflate_crc32(0, out.data() + start, length + 4));
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// Level 1 is the cheapest for an icon; from a few hundred kilobytes on, level
// 2 takes half the time (level 1's larger table misses the cache).
libdeflate_compressor* compressor(size_t inputBytes) {
    constexpr size_t kLargeInput = size_t(256) << 10;
    thread_local std::unique_ptr<libdeflate_compressor, CompressorDeleter> small(libdeflate_alloc_compressor(1)),
        large(libdeflate_alloc_compressor(2));
    return inputBytes < kLargeInput ? small.get() : large.get();
}

}  // namespace

std::string writePNG(cairo_surface_t* surface) {
    if (!surface || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) return {};
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (width <= 0 || height <= 0 || !data) return {};

    // Every row filtered "Up" (the difference to the row above): cheap, and
    // the repeated rows of an icon become runs of zeros.
    const size_t rowBytes = size_t(width) * 4, filteredBytes = (rowBytes + 1) * height;
    libdeflate_compressor* deflater = compressor(filteredBytes);
    if (!deflater) return {};
    // Kept between calls: fresh large blocks cost a page fault per page, which
    // on some machines is most of the time a window-sized PNG takes.
    thread_local std::vector<unsigned char> filteredBuffer, compressedBuffer;
    if (filteredBuffer.size() < filteredBytes) filteredBuffer.resize(filteredBytes);
    unsigned char* filteredData = filteredBuffer.data();
    std::vector<unsigned char> row(rowBytes), above(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
        unpremultiplyRow(data + size_t(y) * stride, row.data(), width);
        unsigned char* out = &filteredData[(rowBytes + 1) * y];
        out[0] = 2;
        upFilter(row.data(), above.data(), out + 1, rowBytes);
        row.swap(above);
    }
    const size_t bound = libdeflate_zlib_compress_bound(deflater, filteredBytes);
    if (compressedBuffer.size() < bound) compressedBuffer.resize(bound);
    const size_t length = libdeflate_zlib_compress(deflater, filteredData, filteredBytes, compressedBuffer.data(), bound);
    if (length == 0) return {};

    std::string png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + length + 12 + 12);
    std::string header;
    put32(header, std::uint32_t(width));
    put32(header, std::uint32_t(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    chunk(png, "IHDR", header.data(), header.size());
    chunk(png, "IDAT", compressedBuffer.data(), length);
    chunk(png, "IEND", nullptr, 0);
    if (filteredBuffer.size() > (size_t(32) << 20)) filteredBuffer = {}, compressedBuffer = {};
    return png;
}

}  // namespace graphics
