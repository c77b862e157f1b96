#include <gtest/gtest.h>

#include "tests/webview/CanvasTestSupport.h"

namespace {

// Hit tests of ten points against Path2Ds from SVG path data, as Chromium
// answers them (tests/webview/reference/path2d_probe.html made these figures).
const char* kPoints = "[[5,5],[15,15],[25,12],[35,35],[45,20],[50,50],[12,40],[30,5],[55,30],[20,48]]";

std::string hits(const std::string& data) {
    return evaluate("var x=document.createElement('canvas').getContext('2d'); var p=new Path2D(" + data + ");" +
                    std::string(kPoints) + ".map(function(q){return x.isPointInPath(p,q[0],q[1])?1:0}).join('')" +
                    "+' '+x.isPointInPath(p,20,20,'evenodd')");
}

}  // namespace

TEST(CanvasPath2D, SvgPathDataHitsWhatABrowserHits) {
    const std::pair<const char*, const char*> cases[] = {
        {"'M10 10 h30 v30 h-30 z'", "0111001000 true"},
        {"'M10,10L50,10L30,50Z'", "0111100000 true"},
        {"'M5 30 a25 25 0 0 1 50 0 z'", "0110100110 true"},
        {"'m10 10 l20 0 0 20 -20 0z m25 25 h15v15h-15z'", "0111010000 true"},
        {"'M10 10 C 60 0 60 60 10 50 S 0 20 30 30 z'", "0111001001 true"},
        {"'M10 50 Q 30 -10 50 50 T 55 55 z'", "0001010001 false"},
        {"'M5 5 A20 10 30 1 0 50 50 z'", "1101010000 true"},
        {"'M10 10 50 10 50 50 10 50z'", "0111111001 true"},
        {"'M10 10 h40 v40 h-40 z M20 20 h20 v20 h-20 z'", "0111111001 true"},
    };
    for (const auto& [data, expected] : cases) EXPECT_EQ(hits(data), expected) << data;
}

TEST(CanvasPath2D, AnErrorKeepsWhatCameBeforeIt) {
    EXPECT_EQ(hits("'M10 10 L50 10 L50 50 L10 50 Z L 20'"), "0111111001 true") << "an incomplete segment";
    EXPECT_EQ(hits("'M10 10 L50 10 L50 50 x L10 50'"), "0111110000 true") << "an unknown command";
    EXPECT_EQ(hits("'L10 10 50 50 10 50'"), "0000000000 false") << "data must start with a move";
    EXPECT_EQ(hits("'M10-5.5.5'"), "0000000000 false");
    EXPECT_EQ(hits("undefined"), "0000000000 false");
}

TEST(CanvasPath2D, AddPathMapsThroughItsMatrixAndCopiesAreIndependent) {
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); var p=new Path2D('M0 0 h10 v10 h-10 z');"
                       "var q=new Path2D(); q.addPath(p,{a:2,d:2,e:20,f:20});" + std::string(kPoints) +
                       ".map(function(v){return x.isPointInPath(q,v[0],v[1])?1:0}).join('')"),
              "0001000000");
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); var p=new Path2D(); p.rect(0,0,10,10);"
                       "var q=new Path2D(p); p.rect(20,20,10,10); x.isPointInPath(q,25,25)+' '+x.isPointInPath(p,25,25)"),
              "false true");
    EXPECT_EQ(evaluate("try { new Path2D().addPath({}) } catch(e) { e.name }"), "TypeError");
    EXPECT_EQ(evaluate("try { new Path2D().addPath(new Path2D(), {a:1, m11:2}) } catch(e) { e.name }"), "TypeError");
}

TEST(CanvasPath2D, FillStrokeAndClipTakeAPathInUserSpace) {
    Pixels filled = draw(sharedPage(), 40, 40,
                         "x.translate(10,10); x.fill(new Path2D('M0 0 h10 v10 h-10 z M3 3 h4 v4 h-4 z'), 'evenodd');");
    EXPECT_EQ(filled.alpha(11, 11), 255) << "moved by the transform";
    EXPECT_EQ(filled.alpha(15, 15), 0) << "the even-odd hole";
    EXPECT_EQ(filled.alpha(5, 5), 0);

    Pixels stroked = draw(sharedPage(), 40, 40, "x.lineWidth=4; x.beginPath(); x.rect(0,0,40,40); x.stroke(new Path2D('M5 20 H35'));");
    EXPECT_EQ(stroked.alpha(20, 20), 255);
    EXPECT_EQ(stroked.alpha(1, 1), 0) << "the current path is left alone";

    Pixels clipped = draw(sharedPage(), 40, 40, "x.clip(new Path2D('M0 0 h20 v40 h-20 z')); x.fillRect(0,0,40,40);");
    EXPECT_EQ(clipped.alpha(10, 10), 255);
    EXPECT_EQ(clipped.alpha(30, 10), 0);

    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d'); x.lineWidth=4;"
                       "var p=new Path2D('M10 30 H50'); x.isPointInStroke(p,30,31.5)+' '+x.isPointInStroke(p,30,32.5)"),
              "true false");
}

TEST(CanvasConicGradient, ColorsRunClockwiseFromTheStartAngle) {
    // Chromium's pixels for this script (tests/webview/reference/conic_probe.html).
    Pixels p = draw(sharedPage(), 40, 40,
                    "var g=x.createConicGradient(Math.PI/2,20,20); g.addColorStop(0,'red'); g.addColorStop(0.5,'blue');"
                    "g.addColorStop(1,'lime'); x.fillStyle=g; x.fillRect(0,0,40,40);");
    const struct {
        int x, y;
        std::array<int, 4> browser;
    } samples[] = {{20, 35, {0, 253, 3, 255}}, {5, 20, {131, 0, 125, 255}}, {20, 5, {0, 3, 252, 255}},
                   {35, 20, {0, 131, 125, 255}}, {35, 34, {0, 189, 67, 255}}, {34, 35, {0, 194, 61, 255}}};
    for (const auto& s : samples)
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(p.at(s.x, s.y)[size_t(i)], s.browser[size_t(i)], 6) << s.x << "," << s.y;
    EXPECT_EQ(evaluate("try { document.createElement('canvas').getContext('2d').createConicGradient(NaN,0,0) } catch(e) { e.name }"),
              "TypeError");
}
