#include <gtest/gtest.h>

#include "tests/webview/CanvasTestSupport.h"

namespace {

// The built-in preview theme: a ring with the level inside.
const std::string kDefaultScript =
    R"JS((c,g,l,m,e){var d=Math.round(3*c/4)/2;c=Math.floor(c/20);var h=2*d+c,f=document.createElement("canvas"),a=f.getContext("2d");e=e.join();var b=h/2,n=4*d/3,k=Math.PI;100==g&&(n=d);f.width=h;f.height=h;a.lineWidth=c;a.strokeStyle="rgba("+e+",0.3)";m&&(a.strokeStyle="rgba(255,59,48,0.3)");l&&(a.strokeStyle="rgba(76,217,100,0.3)");a.arc(b,b,d,0,2*k);a.stroke();a.strokeStyle="rgb("+e+")";m&&(a.strokeStyle="#FF3B30");l&&(a.strokeStyle="#4CD964");a.fillStyle=a.strokeStyle;a.beginPath();a.arc(b,b,d,k*((100-g)/50-.5),1.5*k);a.stroke();a.font=n+"px Helvetica Neue";a.textAlign="center";a.textBaseline="middle";a.fillText(g,b,b);return f.toDataURL("image/png")})JS";

Pixels render(int level, bool charging = false, bool low = false) {
    return pixelsFromDataURL(evaluate("(function" + kDefaultScript + ")(52," + std::to_string(level) + ",!!" +
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
