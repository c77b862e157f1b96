#include <gtest/gtest.h>

#include "platform/foundation/HexScanner.h"
#include "platform/foundation/Text.h"

using namespace foundation;

TEST(Text, LengthCountsUTF16CodeUnits) {
    EXPECT_EQ(utf16Length("abc"), 3u);
    EXPECT_EQ(utf16Length("é"), 1u);         // two bytes, one unit
    EXPECT_EQ(utf16Length("☀"), 1u);         // three bytes, one unit
    EXPECT_EQ(utf16Length("\xF0\x9F\x94\x8B"), 2u);  // battery emoji: a surrogate pair
}

TEST(Text, RejectsInvalidUTF8) {
    EXPECT_TRUE(isValidUTF8("plain é ☀ \xF0\x9F\x94\x8B"));
    EXPECT_FALSE(isValidUTF8("\xFF"));
    EXPECT_FALSE(isValidUTF8("\xC3"));              // cut short
    EXPECT_FALSE(isValidUTF8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(isValidUTF8("\xED\xA0\x80"));      // a lone surrogate
}

TEST(HexScanner, ReadsAsThePlatformScannerDoes) {
    EXPECT_EQ(scanHexInt("00CCFF"), 0x00CCFFu);
    EXPECT_EQ(scanHexInt("  0xff"), 0xFFu);
    EXPECT_EQ(scanHexInt("12zz"), 0x12u);
    EXPECT_EQ(scanHexInt("GGGGGG"), 0u);
    EXPECT_EQ(scanHexInt(""), 0u);
    EXPECT_EQ(scanHexInt("123456789"), 0xFFFFFFFFu);
}

TEST(Text, NumericComparisonOfVersions) {
    EXPECT_LT(compareNumeric("8.4", "9.0"), 0);
    EXPECT_EQ(compareNumeric("9.0", "9.0"), 0);
    EXPECT_LT(compareNumeric("9.2.1", "9.3"), 0);
    EXPECT_GT(compareNumeric("10.0", "9.3"), 0);
    EXPECT_EQ(compareNumeric("9.03", "9.3"), 0);
    EXPECT_LT(compareNumeric("9.3", "9.3.1"), 0);
}
