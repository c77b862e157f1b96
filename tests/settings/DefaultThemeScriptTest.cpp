#include <gtest/gtest.h>

#include "settings/preview/DefaultThemeScript.h"
#include "tests/webview/CanvasTestSupport.h"

namespace {

Pixels render(int level, bool charging = false, bool low = false) {
    return pixelsFromDataURL(evaluate("(function" + defaultThemeScript() + ")(52," + std::to_string(level) + ",!!" +
                                      (charging ? "1" : "0") + ",!!" + (low ? "1" : "0") + ",[0,0,0])"));
}

}  // namespace

TEST(DefaultTheme, RingOfRadius19Point5AndWidth2) {
    Pixels p = render(57);
    ASSERT_EQ(p.width, 41);
    ASSERT_EQ(p.height, 41);
    // The ring's stroke covers radius 18.5 to 20.5 about (20.5, 20.5); the track is at 0.3.
    EXPECT_NEAR(p.alpha(39, 20), 77, 3) << "right side: track only at 57%";
    EXPECT_GT(p.alpha(1, 20), 240) << "left side: the level arc";
    EXPECT_EQ(p.alpha(20, 3) , 0) << "inside the ring, above the number";
}

TEST(DefaultTheme, LevelsZeroAndHundred) {
    Pixels empty = render(0);
    EXPECT_NEAR(empty.alpha(1, 20), 77, 3) << "no arc at level 0";
    EXPECT_NEAR(empty.alpha(20, 1), 77, 3);
    Pixels full = render(100);
    EXPECT_GT(full.alpha(39, 20), 240) << "the ring is closed";
    EXPECT_GT(full.alpha(20, 1), 240);
    EXPECT_GT(full.alpha(1, 20), 240);
}

TEST(DefaultTheme, NumberIsCentredAndColouredByState) {
    Pixels p = render(50, true, true);
    int left = 41, right = -1, top = 41, bottom = -1;
    for (int y = 5; y < 36; ++y)
        for (int x = 5; x < 36; ++x)
            if (p.alpha(x, y) > 64) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_NEAR((left + right) / 2.0, 20, 1.5);
    EXPECT_NEAR((top + bottom) / 2.0, 20, 1.5);
    // Charging wins over low: green.
    EXPECT_EQ(p.at(1, 20), (std::array<int, 4>{76, 217, 100, 255}));
}
