#include <gtest/gtest.h>

#include "tests/webview/CanvasTestSupport.h"

// The browser figures below are Chromium 156's, measured headless
// (chromium --headless --no-sandbox --disable-gpu --dump-dom) on
// tests/webview/reference/filter_probe.html, which draws the same scripts.

namespace {

using Rgba = std::array<int, 4>;

struct Sample {
    int x, y;
    Rgba browser;
};

// Channels within the canvas tests' usual tolerance; colour only where there is some alpha to carry it.
void expectLikeTheBrowser(const std::string& script, int width, int height, std::initializer_list<Sample> samples) {
    const Pixels p = draw(sharedPage(), width, height, script);
    ASSERT_FALSE(p.empty()) << script;
    for (const Sample& s : samples) {
        const Rgba got = p.at(s.x, s.y);
        EXPECT_NEAR(got[3], s.browser[3], 6) << script << " at " << s.x << "," << s.y;
        if (s.browser[3] < 64) continue;
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(got[size_t(i)], s.browser[size_t(i)], 6) << script << " at " << s.x << "," << s.y;
    }
}

std::string filterAfterSetting(const std::string& value) {
    return evaluate("var x=document.createElement('canvas').getContext('2d'); x.filter='opacity(0.25)'; x.filter=" +
                    value + "; x.filter");
}

}  // namespace

TEST(CanvasFilter, ReadsBackWhatWasSetAndKeepsTheOldValueForAnythingElse) {
    EXPECT_EQ(evaluate("document.createElement('canvas').getContext('2d').filter"), "none");
    // Accepted as written, whether this canvas draws them or not.
    for (const char* value : {"blur(2px)", "blur()", "  BLUR(2PX)  ", "blur(1px)blur(2px)", "blur(/**/1px)", "sepia(50%",
                              "NONE", "opacity(150%)", "grayscale(1) sepia(1) invert(1) hue-rotate(90deg)",
                              "url(#f) blur(1px)", "drop-shadow(1px 2px)", "drop-shadow(red 1px 2px 3px)",
                              "drop-shadow(1px 2px 3px rgb(0 0 0 / 50%))", "blur(calc(1px + 1px))"})
        EXPECT_EQ(filterAfterSetting("'" + std::string(value) + "'"), value);
    // Not a filter list: the old value stays.
    for (const char* value : {"bogus", "blur(-1px)", "blur(2)", "blur(2px),opacity(1)", "blur(2px) none", "none none",
                              "", "inherit", "blur(1px);", "opacity(50 %)", "opacity(-1)", "hue-rotate(30)",
                              "grayscale(-1)", "foo(1)", "drop-shadow(1px)", "drop-shadow(1px 2px -3px)",
                              "drop-shadow(1px red 2px)", "drop-shadow(1 2px)"})
        EXPECT_EQ(filterAfterSetting("'" + std::string(value) + "'"), "opacity(0.25)") << value;
    EXPECT_EQ(filterAfterSetting("null"), "opacity(0.25)");

    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); x.filter='blur(3px)'; x.save();"
                       "x.filter='opacity(0.5)'; var inner=x.filter; x.restore(); inner+' '+x.filter"),
              "opacity(0.5) blur(3px)");
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); x.filter='blur(3px)';"
                       "x.canvas.width=10; x.filter"),
              "none");
}

TEST(CanvasFilter, BlurSpreadsAsTheBrowserBlurs) {
    // A 10×10 square: centre, edge, one and four pixels outside, corner, the far edge.
    expectLikeTheBrowser("x.filter='blur(2px)'; x.fillRect(15,15,10,10);", 40, 40,
                         {{20, 20, {0, 0, 0, 249}}, {15, 20, {0, 0, 0, 148}}, {14, 20, {0, 0, 0, 104}},
                          {11, 20, {0, 0, 0, 13}}, {15, 15, {0, 0, 0, 88}}, {25, 20, {0, 0, 0, 104}}});
    expectLikeTheBrowser("x.filter='blur(5px)'; x.fillRect(25,25,10,10);", 60, 60,
                         {{30, 30, {0, 0, 0, 133}}, {25, 30, {0, 0, 0, 97}}, {20, 30, {0, 0, 0, 30}}});
    expectLikeTheBrowser("x.filter='blur(1px)'; x.fillRect(5,5,10,10);", 20, 20,
                         {{5, 10, {0, 0, 0, 170}}, {4, 10, {0, 0, 0, 85}}, {3, 10, {0, 0, 0, 21}}});
    expectLikeTheBrowser("x.filter='blur(0.5px)'; x.fillRect(5,5,10,10);", 20, 20,
                         {{5, 10, {0, 0, 0, 255}}, {4, 10, {0, 0, 0, 0}}});
    // Beyond the canvas is transparent, not a copy of its edge.
    expectLikeTheBrowser("x.filter='blur(3px)'; x.fillRect(0,0,20,20);", 20, 20,
                         {{0, 0, {0, 0, 0, 80}}, {0, 10, {0, 0, 0, 143}}, {10, 10, {0, 0, 0, 255}}});
    // em is the font's when the filter is set; the transform does not scale the filter.
    expectLikeTheBrowser("x.font='20px serif'; x.filter='blur(0.1em)'; x.font='10px serif'; x.fillRect(15,15,10,10);",
                         40, 40, {{15, 20, {0, 0, 0, 148}}, {11, 20, {0, 0, 0, 13}}});
    expectLikeTheBrowser("x.scale(2,2); x.filter='blur(2px)'; x.fillRect(7.5,7.5,5,5);", 40, 40,
                         {{15, 20, {0, 0, 0, 148}}, {11, 20, {0, 0, 0, 13}}});
    expectLikeTheBrowser("x.filter='blur(1px)'; x.lineWidth=2; x.strokeRect(10,10,20,20);", 40, 40,
                         {{9, 20, {0, 0, 0, 149}}, {10, 20, {0, 0, 0, 149}}, {8, 20, {0, 0, 0, 85}}});
}

TEST(CanvasFilter, OpacityScalesAndClamps) {
    expectLikeTheBrowser("x.fillStyle='red'; x.filter='opacity(0.5)'; x.fillRect(0,0,10,10);"
                         "x.filter='opacity(25%)'; x.fillRect(10,0,10,10); x.filter='opacity(2)'; x.fillRect(0,10,10,10);"
                         "x.filter='opacity(0.5) opacity(0.5)'; x.fillRect(10,10,10,10);",
                         20, 20,
                         {{5, 5, {255, 0, 0, 127}}, {15, 5, {255, 0, 0, 63}}, {5, 15, {255, 0, 0, 255}},
                          {15, 15, {255, 0, 0, 63}}});
    expectLikeTheBrowser("x.filter='opacity(0.5)'; x.globalAlpha=0.5; x.fillRect(0,0,10,10);", 10, 10,
                         {{5, 5, {0, 0, 0, 64}}});
}

TEST(CanvasFilter, DropShadowsAreOffsetBlurredAndColored) {
    expectLikeTheBrowser("x.filter='drop-shadow(5px 5px 0 red)'; x.fillStyle='blue'; x.fillRect(5,5,10,10);", 40, 40,
                         {{10, 10, {0, 0, 255, 255}}, {17, 17, {255, 0, 0, 255}}, {12, 17, {255, 0, 0, 255}},
                          {3, 3, {0, 0, 0, 0}}});
    // The browser taints the canvas for the default color (currentcolor), so
    // this one was read from a screenshot: black.
    expectLikeTheBrowser("x.filter='drop-shadow(4px 4px)'; x.fillStyle='lime'; x.fillRect(5,5,10,10);", 40, 40,
                         {{17, 17, {0, 0, 0, 255}}, {10, 10, {0, 255, 0, 255}}});
    expectLikeTheBrowser("x.filter='drop-shadow(10px 0 0 rgba(255,0,0,0.5))'; x.fillRect(5,5,10,10);", 40, 40,
                         {{20, 10, {255, 0, 0, 128}}});
    // The browser takes the blur radius as the standard deviation itself (half of it would give 249 at the centre).
    expectLikeTheBrowser("x.filter='drop-shadow(20px 0 4px black)'; x.fillStyle='blue'; x.fillRect(5,15,10,10);", 50, 50,
                         {{30, 20, {0, 0, 0, 146}}, {25, 20, {0, 0, 0, 104}}, {20, 20, {0, 0, 0, 28}},
                          {40, 20, {0, 0, 0, 19}}});
    // A list applies in order: each function sees what the ones before it made.
    expectLikeTheBrowser("x.filter='opacity(0.5) drop-shadow(10px 0 0 red)'; x.fillStyle='blue'; x.fillRect(5,5,10,10);",
                         40, 40, {{8, 10, {0, 0, 255, 127}}, {20, 10, {255, 0, 0, 127}}});
    expectLikeTheBrowser("x.filter='drop-shadow(10px 0 0 red) drop-shadow(0 10px 0 lime)'; x.fillStyle='blue';"
                         "x.fillRect(5,5,10,10);",
                         40, 40,
                         {{8, 8, {0, 0, 255, 255}}, {18, 8, {255, 0, 0, 255}}, {8, 18, {0, 255, 0, 255}},
                          {18, 18, {0, 255, 0, 255}}});
    expectLikeTheBrowser("x.filter='blur(2px) drop-shadow(15px 0 0 red)'; x.fillRect(5,5,10,10);", 40, 40,
                         {{15, 10, {2, 0, 0, 105}}, {17, 10, {119, 0, 0, 60}}, {20, 10, {255, 0, 0, 148}},
                          {25, 10, {255, 0, 0, 249}}});
}

TEST(CanvasFilter, ComesBeforeShadowAlphaCompositingAndClip) {
    expectLikeTheBrowser("x.filter='drop-shadow(10px 0 0 lime)'; x.shadowColor='red'; x.shadowOffsetY=20;"
                         "x.fillStyle='blue'; x.fillRect(5,5,10,10);",
                         60, 40,
                         {{10, 10, {0, 0, 255, 255}}, {20, 10, {0, 255, 0, 255}}, {10, 30, {255, 0, 0, 255}},
                          {20, 30, {255, 0, 0, 255}}});
    expectLikeTheBrowser("x.filter='drop-shadow(10px 0 0 red)'; x.globalAlpha=0.5; x.fillStyle='blue'; x.fillRect(5,5,10,10);",
                         40, 40, {{8, 10, {0, 0, 255, 128}}, {20, 10, {255, 0, 0, 128}}});
    // The clip cuts the filtered drawing; a shape outside the clip or the canvas still reaches in.
    expectLikeTheBrowser("x.beginPath(); x.rect(0,0,20,40); x.clip(); x.filter='blur(2px)'; x.fillRect(15,15,10,10);",
                         40, 40, {{19, 20, {0, 0, 0, 249}}, {20, 20, {0, 0, 0, 0}}});
    expectLikeTheBrowser("x.beginPath(); x.rect(0,0,20,40); x.clip(); x.filter='drop-shadow(-10px 0 0 red)';"
                         "x.fillRect(25,5,10,10);",
                         40, 40, {{17, 10, {255, 0, 0, 255}}, {22, 10, {0, 0, 0, 0}}});
    expectLikeTheBrowser("x.filter='drop-shadow(30px 0 0 red)'; x.fillRect(-20,5,15,10);", 40, 40,
                         {{15, 10, {255, 0, 0, 255}}, {2, 10, {0, 0, 0, 0}}});
    // Operators that reach outside the shape see the blur's spill as part of it.
    expectLikeTheBrowser("x.fillStyle='red'; x.fillRect(0,0,40,20); x.globalCompositeOperation='copy';"
                         "x.filter='blur(2px)'; x.fillStyle='blue'; x.fillRect(10,5,10,10);",
                         40, 20, {{30, 10, {0, 0, 0, 0}}, {15, 10, {0, 0, 255, 249}}, {8, 10, {0, 0, 255, 63}}});
    expectLikeTheBrowser("x.fillStyle='red'; x.fillRect(0,0,20,20); x.globalCompositeOperation='source-in';"
                         "x.filter='blur(2px)'; x.fillStyle='blue'; x.fillRect(10,5,20,10);",
                         40, 20, {{15, 10, {0, 0, 255, 252}}, {25, 10, {0, 0, 0, 0}}, {19, 3, {0, 0, 255, 64}}});
    // drawImage is filtered, putImageData is not; extreme values stay harmless.
    expectLikeTheBrowser("var s=document.createElement('canvas'); s.width=s.height=10; var y=s.getContext('2d');"
                         "y.fillStyle='blue'; y.fillRect(0,0,10,10); x.filter='drop-shadow(10px 0 0 red)'; x.drawImage(s,5,5);"
                         "x.filter='blur(3px) opacity(0.5)'; x.putImageData(y.getImageData(0,0,10,10),25,25);",
                         40, 40,
                         {{10, 10, {0, 0, 255, 255}}, {20, 10, {255, 0, 0, 255}}, {26, 26, {0, 0, 255, 255}},
                          {23, 26, {0, 0, 0, 0}}});
    expectLikeTheBrowser("x.filter='blur(1000px)'; x.fillRect(0,0,40,40); x.filter='drop-shadow(100000px 0 0 red)';"
                         "x.fillRect(0,0,10,10);",
                         40, 40, {{20, 20, {0, 0, 0, 0}}, {5, 5, {0, 0, 0, 255}}});
}

TEST(CanvasFilter, FunctionsThisCanvasDoesNotDrawLeaveTheDrawingAlone) {
    // An older browser's picture: the browser here would tint these.
    for (const char* filter : {"grayscale(1) sepia(1) invert(1) hue-rotate(90deg)", "url(#f)", "blur(calc(1px + 1px))",
                               "blur(1vw)", "none"}) {
        const Pixels p =
            draw(sharedPage(), 20, 20, "x.filter='" + std::string(filter) + "'; x.fillStyle='red'; x.fillRect(5,5,10,10);");
        EXPECT_EQ(p.at(10, 10), (Rgba{255, 0, 0, 255})) << filter;
        EXPECT_EQ(p.alpha(4, 10), 0) << filter;
    }
}
