#include <gtest/gtest.h>

#include "tests/webview/CanvasTestSupport.h"

using Rgba = std::array<int, 4>;

TEST(CanvasShapes, ArcToRoundsTheCornerBetweenTwoLines) {
    Pixels p = draw(sharedPage(), 40, 40,
                    "x.lineWidth=2; x.beginPath(); x.moveTo(2,5); x.arcTo(35,5,35,38,10); x.lineTo(35,38); x.stroke();");
    EXPECT_GT(p.alpha(15, 5), 200) << "the first line";
    EXPECT_EQ(p.alpha(34, 5), 0) << "the corner is cut by the arc";
    EXPECT_GT(p.alpha(35, 30), 200) << "the second line";
    // On the arc, 10 from the corner's centre (25, 15) towards the corner.
    EXPECT_GT(p.alpha(32, 8), 100);
}

TEST(CanvasShapes, EllipseAndRoundRect) {
    Pixels e = draw(sharedPage(), 60, 30, "x.beginPath(); x.ellipse(30,15,25,10,0,0,2*Math.PI); x.fill();");
    EXPECT_EQ(e.alpha(30, 15), 255);
    EXPECT_EQ(e.alpha(52, 15), 255) << "along the long axis";
    EXPECT_EQ(e.alpha(30, 2), 0) << "beyond the short axis";
    Pixels rotated = draw(sharedPage(), 60, 60, "x.beginPath(); x.ellipse(30,30,25,5,Math.PI/2,0,2*Math.PI); x.fill();");
    EXPECT_EQ(rotated.alpha(30, 52), 255);
    EXPECT_EQ(rotated.alpha(52, 30), 0);

    Pixels r = draw(sharedPage(), 40, 40, "x.beginPath(); x.roundRect(0,0,40,40,[15,0,0,0]); x.fill();");
    EXPECT_EQ(r.alpha(1, 1), 0) << "rounded top-left";
    EXPECT_EQ(r.alpha(38, 1), 255) << "square top-right";
    EXPECT_EQ(evaluate("try { document.createElement('canvas').getContext('2d').roundRect(0,0,5,5,[-1]) } catch(e) { e.name }"),
              "RangeError");
}

TEST(CanvasShapes, SubpathsStartWhereTheyShould) {
    // lineTo without moveTo starts the path; closePath returns to the subpath's start.
    Pixels p = draw(sharedPage(), 40, 40,
                    "x.lineWidth=2; x.beginPath(); x.lineTo(5,5); x.lineTo(35,5); x.lineTo(35,35); x.closePath(); x.lineTo(5,35); x.stroke();");
    EXPECT_GT(p.alpha(20, 5), 200);
    EXPECT_GT(p.alpha(20, 20), 200) << "the closing diagonal";
    EXPECT_GT(p.alpha(5, 20), 0) << "after closePath the next line starts at (5,5)";
    Pixels curves = draw(sharedPage(), 40, 40,
                         "x.lineWidth=2; x.beginPath(); x.moveTo(2,38); x.quadraticCurveTo(20,-30,38,38); x.stroke();");
    EXPECT_GT(curves.alpha(20, 4), 100) << "a quadratic peaks halfway to its control point";
}

TEST(CanvasShapes, PatternsTileASnapshot) {
    const std::string tile = "var t=document.createElement('canvas'); t.width=t.height=4; var tx=t.getContext('2d');"
                             "tx.fillStyle='red'; tx.fillRect(0,0,2,4);";
    Pixels tiled = draw(sharedPage(), 16, 4, tile + "x.fillStyle=x.createPattern(t,'repeat'); tx.fillStyle='lime'; tx.fillRect(0,0,4,4); x.fillRect(0,0,16,4);");
    EXPECT_EQ(tiled.at(9, 1), (Rgba{255, 0, 0, 255})) << "later drawing on the source does not change the pattern";
    EXPECT_EQ(tiled.alpha(10, 1), 0);
    Pixels once = draw(sharedPage(), 16, 4, tile + "x.fillStyle=x.createPattern(t,'no-repeat'); x.fillRect(0,0,16,4);");
    EXPECT_EQ(once.alpha(8, 1), 0);
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d');"
                       "try { x.createPattern(x.canvas,'sideways') } catch(e) { e.name }"),
              "SyntaxError");
}

TEST(CanvasShapes, TextDirectionStrokeAndNothingForABadMaxWidth) {
    Pixels rtl = draw(sharedPage(), 100, 30, "x.font='20px sans-serif'; x.direction='rtl'; x.fillText('H',50,25);");
    int left = 100;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            if (rtl.alpha(x, y) > 64) left = std::min(left, x);
    EXPECT_LT(left, 50) << "start is the right edge in right-to-left text";
    Pixels outline = draw(sharedPage(), 60, 60, "x.font='bold 50px sans-serif'; x.lineWidth=1; x.strokeText('O',5,50);");
    EXPECT_EQ(outline.alpha(20, 32), 0) << "the inside of the stroked O is empty";
    EXPECT_EQ(draw(sharedPage(), 60, 30, "x.fillText('Hello',5,20,0); x.fillText('Hello',5,20,-3);").countOpaque(1), 0);
}
