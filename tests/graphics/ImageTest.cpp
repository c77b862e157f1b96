#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics/EncodedImageMemo.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/PNG.h"

namespace {

// Every alpha and a spread of colors, premultiplied as cairo keeps them.
cairo_surface_t* translucentRamp() {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 256, 16);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < 16; ++y)
        for (int a = 0; a < 256; ++a) {
            auto premultiply = [a](int c) { return uint32_t(c * a / 255); };
            const uint32_t p = (uint32_t(a) << 24) | (premultiply((y * 37) % 256) << 16) |
                               (premultiply((y * 91 + a) % 256) << 8) | premultiply(255 - y * 13);
            std::memcpy(data + y * cairo_image_surface_get_stride(s) + a * 4, &p, 4);
        }
    cairo_surface_mark_dirty(s);
    return s;
}

}  // namespace

TEST(EncodedImageMemo, GivesExactlyWhatTheDecoderGives) {
    cairo_surface_t* source = translucentRamp();
    const std::string png = graphics::encodePNG(source);
    graphics::rememberEncodedPNG(png, source);
    cairo_surface_t* recalled = graphics::recallDecodedPNG(png);
    ASSERT_TRUE(recalled);
    cairo_surface_t* decoded = graphics::decodePNG(png);
    ASSERT_TRUE(decoded);
    for (int y = 0; y < 16; ++y)
        ASSERT_EQ(std::memcmp(cairo_image_surface_get_data(recalled) + y * cairo_image_surface_get_stride(recalled),
                              cairo_image_surface_get_data(decoded) + y * cairo_image_surface_get_stride(decoded), 256 * 4),
                  0)
            << "row " << y;
    EXPECT_FALSE(graphics::recallDecodedPNG(png + "x"));
    cairo_surface_destroy(source);
    cairo_surface_destroy(recalled);
    cairo_surface_destroy(decoded);
}

TEST(Image, SizeInPointsAndUndecodableData) {
    graphics::BitmapContext bitmap(20.5, 10, 2);
    EXPECT_EQ(bitmap.pixelWidth(), 41);
    auto image = bitmap.image();
    EXPECT_DOUBLE_EQ(image->width(), 20.5);
    auto again = graphics::UIImage::imageWithData(image->pngData(), 3);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->pixelWidth(), 41);
    EXPECT_DOUBLE_EQ(again->scale(), 3);
    EXPECT_FALSE(graphics::UIImage::imageWithData("not a png", 2));
    EXPECT_FALSE(graphics::UIImage::imageWithData("", 2));
}
