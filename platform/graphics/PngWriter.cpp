#include "platform/graphics/PngWriter.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace graphics {
namespace {

// Straight (not premultiplied) RGBA, rounded as cairo's writer rounds, so the
// two PNGs decode to the same pixels.
void unpremultiplyRow(const unsigned char* in, unsigned char* out, int width) {
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
        std::uint32_t p;
        std::memcpy(&p, in, 4);
        const std::uint32_t a = p >> 24;
        if (a == 0xFF) {
            out[0] = (p >> 16) & 0xFF, out[1] = (p >> 8) & 0xFF, out[2] = p & 0xFF, out[3] = 0xFF;
        } else if (a == 0) {
            std::memset(out, 0, 4);
        } else {
            out[0] = static_cast<unsigned char>((((p >> 16) & 0xFF) * 255 + a / 2) / a);
            out[1] = static_cast<unsigned char>((((p >> 8) & 0xFF) * 255 + a / 2) / a);
            out[2] = static_cast<unsigned char>(((p & 0xFF) * 255 + a / 2) / a);
            out[3] = static_cast<unsigned char>(a);
        }
    }
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

libdeflate_compressor* compressor() {
    // Level 1: an icon's rows repeat and compress well without searching hard.
    thread_local std::unique_ptr<libdeflate_compressor, CompressorDeleter> c(libdeflate_alloc_compressor(1));
    return c.get();
}

}  // namespace

std::string writePNG(cairo_surface_t* surface) {
    if (!surface || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) return {};
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    libdeflate_compressor* deflater = compressor();
    if (width <= 0 || height <= 0 || !data || !deflater) return {};

    // Every row filtered "Up" (the difference to the row above): cheap, and
    // the repeated rows of an icon become runs of zeros.
    const size_t rowBytes = size_t(width) * 4, filteredBytes = (rowBytes + 1) * height;
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
        for (size_t i = 0; i < rowBytes; ++i) out[i + 1] = static_cast<unsigned char>(row[i] - above[i]);
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
