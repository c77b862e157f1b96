#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/webview/CssFont.h"
#include "platform/webview/Fonts.h"
#include "tests/webview/CanvasTestSupport.h"

using webview::Fonts;
using webview::parseCssFont;
using namespace std::string_literals;

TEST(CanvasText, HelveticaResolvesToAPinnedFace) {
    EXPECT_EQ(Fonts::shared().resolvedFamily("Helvetica Neue"), "Liberation Sans");
    EXPECT_EQ(Fonts::shared().resolvedFamily("Helvetica"), "Liberation Sans");
    EXPECT_EQ(Fonts::shared().resolvedFamily("sans-serif"), "Liberation Sans");
    EXPECT_EQ(Fonts::shared().resolvedFamily("monospace"), "Liberation Mono");
}

TEST(CanvasText, BaselinesComeFromTheEmBoxAsInABrowser) {
    const auto m = Fonts::shared().metrics(*parseCssFont("20px Helvetica Neue"));
    EXPECT_NEAR(m.middleOffset, 5.5156, 1e-4);
    EXPECT_NEAR(m.topOffset, 15.5156, 1e-4);
    EXPECT_NEAR(m.bottomOffset, -4.4844, 1e-4);
}

namespace {

// Ink rows and columns of what was drawn.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Box inkBox(const Pixels& p) {
    Box b;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.alpha(x, y) > 64) b.left = std::min(b.left, x), b.right = std::max(b.right, x),
                                     b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
    return b;
}

}  // namespace

TEST(CanvasText, AlignmentAndBaselinePlaceTheText) {
    Pixels centred = draw(sharedPage(), 100, 40,
                          "x.font='20px Helvetica Neue'; x.textAlign='center'; x.textBaseline='middle'; x.fillText('00',50,20);");
    Box b = inkBox(centred);
    EXPECT_NEAR((b.left + b.right) / 2.0, 49.5, 1.5);
    EXPECT_NEAR((b.top + b.bottom) / 2.0, 19.5, 1.5);

    Pixels top = draw(sharedPage(), 100, 40, "x.font='20px Helvetica Neue'; x.textBaseline='top'; x.fillText('H',10,5);");
    EXPECT_NEAR(inkBox(top).top, 6, 1.5);  // the cap height sits just under the em box's top
    Pixels right = draw(sharedPage(), 100, 40, "x.font='20px Helvetica Neue'; x.textAlign='right'; x.fillText('H',90,30);");
    EXPECT_NEAR(inkBox(right).right, 88, 2);
}

TEST(CanvasText, MaxWidthSqueezesAndMeasureReportsWidth) {
    Pixels wide = draw(sharedPage(), 200, 30, "x.font='20px Helvetica Neue'; x.fillText('WWWWWW',0,25);");
    Pixels squeezed = draw(sharedPage(), 200, 30, "x.font='20px Helvetica Neue'; x.fillText('WWWWWW',0,25,50);");
    EXPECT_GT(inkBox(wide).right, 100);
    EXPECT_LE(inkBox(squeezed).right, 50);
    EXPECT_EQ(inkBox(squeezed).top, inkBox(wide).top) << "only horizontally";

    const std::string width = evaluate("var x=document.createElement('canvas').getContext('2d'); x.font='20px Helvetica Neue';"
                                       "x.measureText('100').width.toFixed(2)");
    EXPECT_EQ(width, "33.37");  // three digits of 1139/2048 em each
}

TEST(CanvasText, TextUsesTheFillStyleTransformAndAlpha) {
    Pixels p = draw(sharedPage(), 60, 60,
                    "x.fillStyle='#00ff00'; x.globalAlpha=0.5; x.translate(30,30); x.scale(2,2); x.font='10px sans-serif';"
                    "x.textAlign='center'; x.textBaseline='middle'; x.fillText('O',0,0);");
    Box b = inkBox(Pixels{p});
    EXPECT_GT(b.right - b.left, 10);  // scaled up
    int maxAlpha = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) maxAlpha = std::max(maxAlpha, p.alpha(x, y));
    EXPECT_NEAR(maxAlpha, 128, 2);
}

TEST(CanvasText, TextFarFromTheOriginIsDrawnWhole) {
    // Every glyph of a line, wherever on a wide canvas it starts.
    for (int start : {10, 300, 600}) {
        Pixels p = draw(sharedPage(), 1000, 40,
                        "x.font='20px Helvetica Neue'; x.fillText('battery level',"s + std::to_string(start) + ",30);");
        Box b = inkBox(p);
        EXPECT_NEAR(b.right - start, inkBox(draw(sharedPage(), 1000, 40,
                                                 "x.font='20px Helvetica Neue'; x.fillText('battery level',10,30);")).right - 10, 1)
            << "starting at " << start;
    }
}

TEST(CanvasText, LetterAndWordSpacingWidenWhatIsMeasuredAndDrawn) {
    // Chromium at 20px: 'AB C' is 8 px wider for letterSpacing 2px (after each
    // of four characters) and 5 px for wordSpacing 5px (one space).
    const std::string setup = "var x=document.createElement('canvas').getContext('2d'); x.font='20px sans-serif';"
                              "var w=x.measureText('AB C').width;";
    EXPECT_EQ(evaluate(setup + "x.letterSpacing='2px'; (x.measureText('AB C').width-w).toFixed(2)+' '+x.letterSpacing"),
              "8.00 2px");
    EXPECT_EQ(evaluate(setup + "x.letterSpacing='0.1em'; (x.measureText('AB C').width-w).toFixed(2)+' '+x.letterSpacing"),
              "8.00 0.1em");
    EXPECT_EQ(evaluate(setup + "x.wordSpacing='5px'; (x.measureText('AB C').width-w).toFixed(2)"), "5.00");
    EXPECT_EQ(evaluate(setup + "x.letterSpacing='2px'; x.letterSpacing='bogus'; x.save(); x.letterSpacing='1px';"
                               "x.restore(); x.letterSpacing"),
              "2px");
    Pixels spaced = draw(sharedPage(), 100, 30, "x.font='20px sans-serif'; x.letterSpacing='10px'; x.fillText('II',0,25);");
    Pixels plain = draw(sharedPage(), 100, 30, "x.font='20px sans-serif'; x.fillText('II',0,25);");
    auto rightmost = [](const Pixels& p) {
        int r = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.alpha(x, y) > 128) r = std::max(r, x);
        return r;
    };
    EXPECT_NEAR(rightmost(spaced) - rightmost(plain), 10, 1) << "the second letter moves by the spacing";
}
