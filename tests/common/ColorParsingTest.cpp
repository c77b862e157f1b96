#include <gtest/gtest.h>

#include <cmath>

#include "common/ColorParsing.h"

using ColorParsing::colorFromHexString;
using ColorParsing::hexStringFromColor;
using graphics::Color;

namespace {

void expectChannels(const std::optional<Color>& c, int r, int g, int b, int a) {
    ASSERT_TRUE(c);
    EXPECT_DOUBLE_EQ(c->red(), r / 255.0);
    EXPECT_DOUBLE_EQ(c->green(), g / 255.0);
    EXPECT_DOUBLE_EQ(c->blue(), b / 255.0);
    EXPECT_DOUBLE_EQ(c->alpha(), a / 255.0);
}

}  // namespace

TEST(ColorParsing, ReadsSixAndEightDigitsWithOrWithoutHash) {
    expectChannels(colorFromHexString("#00CCFF"), 0, 0xCC, 0xFF, 255);
    expectChannels(colorFromHexString("00ccff"), 0, 0xCC, 0xFF, 255);
    expectChannels(colorFromHexString("#00000055"), 0, 0, 0, 0x55);
    expectChannels(colorFromHexString("#FFFFFF55"), 255, 255, 255, 0x55);
}

TEST(ColorParsing, OddStringsReadLikeThePlatformScanner) {
    // Three digits are a number, not shorthand.
    expectChannels(colorFromHexString("#FFF"), 0, 0x0F, 0xFF, 255);
    // Seven digits take the eight-digit path.
    expectChannels(colorFromHexString("#1234567"), 0x01, 0x23, 0x45, 0x67);
    // A "#" anywhere skips the first character; scanning stops at the "#".
    expectChannels(colorFromHexString("ab#cdef"), 0, 0, 0x0B, 255);
    expectChannels(colorFromHexString("#GGGGGG"), 0, 0, 0, 255);
    EXPECT_FALSE(colorFromHexString(""));
    EXPECT_FALSE(colorFromHexString(std::nullopt));
}

TEST(ColorParsing, WritesLowerCaseAndRoundTripsEveryByte) {
    EXPECT_EQ(hexStringFromColor(Color::rgb(1, 0, 0)), "ff0000");
    EXPECT_EQ(hexStringFromColor(Color::grey(0.5)), "7f7f7f");
    EXPECT_EQ(hexStringFromColor(Color::grey(0.5), true, true), "#7f7f7fff");
    EXPECT_EQ(hexStringFromColor(Color::rgb(0.999, 0, 0)), "fe0000");  // truncated, not rounded
    const double nan = std::nan(""), inf = HUGE_VAL;
    EXPECT_EQ(hexStringFromColor(Color::rgb(nan, inf, -inf, nan), true), "00ff0000");
    EXPECT_EQ(hexStringFromColor(Color::rgb(1.5, -0.5, 0.5)), "ff007f");
    for (int v = 0; v < 256; ++v) {
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02x", v);
        auto hex = hexStringFromColor(Color::rgb(v / 255.0, 0, 0, v / 255.0), true);
        ASSERT_EQ(hex->substr(0, 2), expected) << v;
        ASSERT_EQ(hex->substr(6, 2), expected) << v;
        expectChannels(colorFromHexString(*hex), v, 0, 0, v);
    }
}
