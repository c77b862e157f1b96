#include <gtest/gtest.h>

#include "platform/webview/CssColor.h"
#include "platform/webview/CssFont.h"
#include "tests/webview/CanvasTestSupport.h"

using webview::parseCssColor;
using webview::parseCssFont;
using webview::RGBA8;
using webview::serializeCanvasColor;
using webview::serializeFont;

TEST(CssColor, AcceptsTheCssForms) {
    EXPECT_EQ(parseCssColor("red"), (RGBA8{255, 0, 0, 255}));
    EXPECT_EQ(parseCssColor("  RebeccaPurple "), (RGBA8{0x66, 0x33, 0x99, 255}));
    EXPECT_EQ(parseCssColor("transparent"), (RGBA8{0, 0, 0, 0}));
    EXPECT_EQ(parseCssColor("#f0a"), (RGBA8{255, 0, 0xaa, 255}));
    EXPECT_EQ(parseCssColor("#f0a8"), (RGBA8{255, 0, 0xaa, 0x88}));
    EXPECT_EQ(parseCssColor("#4CD964"), (RGBA8{76, 217, 100, 255}));
    EXPECT_EQ(parseCssColor("#ff000080"), (RGBA8{255, 0, 0, 128}));
    EXPECT_EQ(parseCssColor("rgb(255,59,48)"), (RGBA8{255, 59, 48, 255}));
    EXPECT_EQ(parseCssColor("rgba(76,217,100,0.3)"), (RGBA8{76, 217, 100, 77}));
    EXPECT_EQ(parseCssColor("rgba( 0 , 0 , 0 , 50% )"), (RGBA8{0, 0, 0, 128}));
    EXPECT_EQ(parseCssColor("rgb(100%, 0%, 50%)"), (RGBA8{255, 0, 128, 255}));
    EXPECT_EQ(parseCssColor("rgb(300, -5, 12.6)"), (RGBA8{255, 0, 13, 255}));
    EXPECT_EQ(parseCssColor("rgb(10 20 30 / 0.5)"), (RGBA8{10, 20, 30, 128}));
    EXPECT_EQ(parseCssColor("hsl(120, 100%, 25%)"), (RGBA8{0, 128, 0, 255}));
    EXPECT_EQ(parseCssColor("hsla(0.5turn, 100%, 50%, 0.5)"), (RGBA8{0, 255, 255, 128}));
}

TEST(CssColor, RejectsWhatABrowserRejects) {
    for (const char* bad : {"", "#12", "#12345", "#ggg", "rgb(1,2)", "rgb(1,2,3,4,5)", "rgb(1%,2,3)", "rgb(1 2, 3)",
                            "rgb(1,,3)", "hsl(1,2,3)", "blurple", "rgb(1,2,3", "url(x)", "rgb(1px,2,3)"})
        EXPECT_FALSE(parseCssColor(bad)) << bad;
}

TEST(CssColor, SerializesAsCanvasGettersDo) {
    EXPECT_EQ(serializeCanvasColor({255, 59, 48, 255}), "#ff3b30");
    EXPECT_EQ(serializeCanvasColor({255, 255, 255, 115}), "rgba(255, 255, 255, 0.45)");
    EXPECT_EQ(serializeCanvasColor({76, 217, 100, 77}), "rgba(76, 217, 100, 0.3)");
    EXPECT_EQ(serializeCanvasColor({0, 0, 0, 0}), "rgba(0, 0, 0, 0)");
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); var a=[x.fillStyle];"
                       "x.fillStyle='RED'; a.push(x.fillStyle); x.fillStyle='bogus'; a.push(x.fillStyle);"
                       "x.strokeStyle='rgba(255,255,255,0.45)'; a.push(x.strokeStyle); a.join('|')"),
              "#000000|#ff0000|#ff0000|rgba(255, 255, 255, 0.45)");
}

TEST(CssFont, ParsesTheShorthand) {
    auto f = parseCssFont("italic small-caps bold 12px/30px Georgia, 'Times New Roman', serif");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->style, "italic");
    EXPECT_EQ(f->variant, "small-caps");
    EXPECT_EQ(f->weight, 700);
    EXPECT_DOUBLE_EQ(f->sizePx, 12);
    EXPECT_EQ(f->families, (std::vector<std::string>{"Georgia", "Times New Roman", "serif"}));
    EXPECT_DOUBLE_EQ(parseCssFont("12pt x")->sizePx, 16);
    EXPECT_DOUBLE_EQ(parseCssFont("2em x")->sizePx, 20);
    EXPECT_DOUBLE_EQ(parseCssFont("150% x")->sizePx, 15);
    EXPECT_DOUBLE_EQ(parseCssFont("26px Helvetica Neue")->sizePx, 26);
    EXPECT_EQ(parseCssFont("26px Helvetica Neue")->families, (std::vector<std::string>{"Helvetica Neue"}));
    EXPECT_EQ(parseCssFont("normal 500 9px x")->weight, 500);
}

TEST(CssFont, RejectsInvalidValues) {
    for (const char* bad : {"", "12px", "bold", "px Arial", "12 Arial", "-1px Arial", "12px 'unclosed", "12px Arial,",
                            "bold bold 12px Arial", "12px 3d", "12px inherit", "12px/ Arial"})
        EXPECT_FALSE(parseCssFont(bad)) << bad;
}

TEST(CssFont, GetterSerializesAndIgnoresInvalidValues) {
    EXPECT_EQ(serializeFont(*parseCssFont("bold 19.5px Helvetica Neue")), "bold 19.5px \"Helvetica Neue\"");
    EXPECT_EQ(serializeFont(*parseCssFont("italic 300 12pt/2 monospace")), "italic 300 16px monospace");
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); var a=[x.font];"
                       "x.font='bold 20px Arial, sans-serif'; a.push(x.font); x.font='nonsense'; a.push(x.font); a.join('|')"),
              "10px sans-serif|bold 20px Arial, sans-serif|bold 20px Arial, sans-serif");
}
