#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "common/ImageTransforms.h"

using graphics::Image;

namespace {

// A 20 × 10 point image at 2×: one red pixel in the top-left corner, the rest clear.
Image marked() {
    graphics::BitmapContext bitmap(20, 10, 2);
    cairo_set_source_rgb(bitmap.cairo(), 1, 0, 0);
    cairo_rectangle(bitmap.cairo(), 0, 0, 1, 1);
    cairo_fill(bitmap.cairo());
    return bitmap.image();
}

uint32_t pixel(const Image& image, int x, int y) {
    cairo_surface_flush(image->surface());
    uint32_t p;
    std::memcpy(&p, cairo_image_surface_get_data(image->surface()) + y * cairo_image_surface_get_stride(image->surface()) + x * 4, 4);
    return p;
}

bool samePixels(const Image& a, const Image& b) {
    if (a->pixelWidth() != b->pixelWidth() || a->pixelHeight() != b->pixelHeight()) return false;
    for (int y = 0; y < a->pixelHeight(); ++y)
        for (int x = 0; x < a->pixelWidth(); ++x)
            if (pixel(a, x, y) != pixel(b, x, y)) return false;
    return true;
}

constexpr uint32_t kRed = 0xFFFF0000;

}  // namespace

TEST(ImageTransforms, FlippingMovesTheCornerByAxis) {
    const Image in = marked();
    const std::array<std::pair<long long, std::pair<int, int>>, 4> cases = {{
        {0, {0, 19}}, {1, {39, 0}}, {2, {39, 19}}, {5, {0, 19}},
    }};
    for (const auto& [axis, corner] : cases) {
        Image out = Flipping::flippedImageByAxis(in, axis);
        ASSERT_TRUE(out);
        EXPECT_EQ(pixel(out, corner.first, corner.second), kRed) << "axis " << axis;
        EXPECT_EQ(pixel(out, 0, 0), 0u);
        EXPECT_DOUBLE_EQ(out->width(), 20);
        EXPECT_DOUBLE_EQ(out->height(), 10);
        EXPECT_DOUBLE_EQ(out->scale(), 2);
        EXPECT_TRUE(samePixels(Flipping::flippedImageByAxis(out, axis), in)) << "twice gives back the input, axis " << axis;
    }
    EXPECT_EQ(pixel(in, 0, 0), kRed) << "the input is left alone";
}

TEST(ImageTransforms, PaddingAddsTransparentPointsOnTheRight) {
    Image out = Padding::imageWithRightPadding(marked(), 7);
    ASSERT_TRUE(out);
    EXPECT_DOUBLE_EQ(out->width(), 27);
    EXPECT_DOUBLE_EQ(out->height(), 10);
    EXPECT_EQ(out->pixelWidth(), 54);
    EXPECT_EQ(pixel(out, 0, 0), kRed);
    for (int x = 40; x < 54; ++x) EXPECT_EQ(pixel(out, x, 5), 0u);
}

TEST(ImageTransforms, TintingKeepsTheOutline) {
    graphics::BitmapContext glyph(4, 1, 2);
    cairo_set_source_rgba(glyph.cairo(), 0, 0, 0, 1);
    cairo_rectangle(glyph.cairo(), 0, 0, 2, 2);
    cairo_fill(glyph.cairo());
    cairo_set_source_rgba(glyph.cairo(), 0, 0, 0, 0.5);
    cairo_rectangle(glyph.cairo(), 2, 0, 2, 2);
    cairo_fill(glyph.cairo());
    Image tinted = Colored::changeImageColor(glyph.image(), graphics::Color::rgb(1, 0, 0));
    ASSERT_TRUE(tinted);
    EXPECT_EQ(pixel(tinted, 0, 0), kRed);
    // Half-transparent: the color at half opacity laid over the half-opaque glyph.
    EXPECT_NEAR(int(pixel(tinted, 3, 0) >> 24), 0xC0, 1);
    EXPECT_GT((pixel(tinted, 3, 0) >> 16) & 0xFF, 0x40u) << "and turns red";
    EXPECT_EQ(pixel(tinted, 6, 1), 0u) << "transparent stays transparent";
}

TEST(ImageTransforms, NoImageInNoImageOut) {
    EXPECT_FALSE(Flipping::flippedImageByAxis(nullptr, 1));
    EXPECT_FALSE(Padding::imageWithRightPadding(nullptr, 7));
    EXPECT_FALSE(Colored::changeImageColor(nullptr, graphics::Color::rgb(1, 0, 0)));
}
