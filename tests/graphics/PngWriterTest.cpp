#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/graphics/PNG.h"
#include "platform/graphics/PngWriter.h"

namespace {

std::string pixelsOf(cairo_surface_t* s) {
    s = graphics::asARGB32(s);
    if (!s) return "";
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    std::string out;
    for (int y = 0; y < h; ++y)
        out.append(reinterpret_cast<const char*>(cairo_image_surface_get_data(s)) + y * cairo_image_surface_get_stride(s),
                   size_t(w) * 4);
    cairo_surface_destroy(s);
    return out;
}

std::string cairosPNG(cairo_surface_t* s) {
    std::string bytes;
    cairo_surface_write_to_png_stream(
        s,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

}  // namespace

TEST(PngWriter, DecodesToExactlyWhatCairosOwnPngDecodesTo) {
    // Every alpha with many colors, premultiplied as cairo keeps them, and
    // repeated rows like an icon's; small and large images are compressed
    // with different settings.
    for (const int h : {70, 400}) {
        const int w = 256;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t a = std::uint32_t(x), base = std::uint32_t(y < 60 ? y * 37 : 12345);
                auto premultiplied = [&](std::uint32_t c) { return (c % 256) * a / 255; };
                const std::uint32_t p = a << 24 | premultiplied(base) << 16 | premultiplied(base * 7 + x) << 8 | premultiplied(base * 13 + 3 * x);
                std::memcpy(data + y * cairo_image_surface_get_stride(s) + x * 4, &p, 4);
            }
        cairo_surface_mark_dirty(s);

        const std::string fast = graphics::writePNG(s), reference = cairosPNG(s);
        ASSERT_EQ(fast.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
        EXPECT_EQ(pixelsOf(graphics::decodePNG(fast)), pixelsOf(graphics::decodePNG(reference)));
        EXPECT_FALSE(pixelsOf(graphics::decodePNG(fast)).empty());
        cairo_surface_destroy(s);
    }

    cairo_surface_t* none = cairo_image_surface_create(CAIRO_FORMAT_A8, 4, 4);
    EXPECT_EQ(graphics::writePNG(none), "") << "only ARGB32 bitmaps";
    EXPECT_FALSE(graphics::encodePNG(none).empty()) << "cairo writes the rest";
    cairo_surface_destroy(none);
}
