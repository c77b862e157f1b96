#include <gtest/gtest.h>

#include "common/ThemeCall.h"

using graphics::Color;

TEST(ThemeCall, FiveParameterCallIsExact) {
    ThemeCall::Arguments a;
    a.height = 40;
    a.level = 57;
    a.main = Color::rgb(1, 1, 1);
    EXPECT_EQ(ThemeCall::fiveParameterCall("(c,g,l,m,e){}", a), "(function(c,g,l,m,e){})(40,57,!!0,!!0,[255,255,255])");
}

TEST(ThemeCall, SevenParameterCallCarriesBaseAlphaWithTwoDecimals) {
    ThemeCall::Arguments a;
    a.height = 40;
    a.level = 15;
    a.charging = true;
    a.low = true;
    a.lowPowerMode = true;
    a.main = Color::rgb(0, 0.8, 1);
    a.base = Color::rgb(0, 0, 0, 0x55 / 255.0);
    EXPECT_EQ(ThemeCall::sevenParameterCall("(a,b,c,d,e,f,g){}", a),
              "(function(a,b,c,d,e,f,g){})(40,15,!!1,!!1,!!1,[0,204,255],[0,0,0,0.33])");
}

TEST(ThemeCall, HeightRoundsHalfToEvenAndChannelsTruncate) {
    ThemeCall::Arguments a;
    a.main = Color::grey(0.999);
    a.height = 40.5;
    EXPECT_EQ(ThemeCall::fiveParameterCall("", a), "(function)(40,0,!!0,!!0,[254,254,254])");
    a.height = 41.5;
    EXPECT_EQ(ThemeCall::fiveParameterCall("", a), "(function)(42,0,!!0,!!0,[254,254,254])");
    a.height = 59.7;
    EXPECT_EQ(ThemeCall::fiveParameterCall("", a), "(function)(60,0,!!0,!!0,[254,254,254])");
}
