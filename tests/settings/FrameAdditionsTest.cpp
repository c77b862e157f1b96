// Moving and resizing views one edge or coordinate at a time.
#include <gtest/gtest.h>

#include "settings/toolkit/FrameAdditions.h"

using namespace uikit;
using namespace SMFrameAdditions;

TEST(FrameAdditions, PlainEdgesResizeAndKeepTheOppositeEdge) {
    UIView view(CGRectMake(10, 20, 40, 30));
    setLeft(view, 20);
    EXPECT_EQ(view.frame(), CGRectMake(20, 20, 30, 30));
    setTop(view, 10);
    EXPECT_EQ(view.frame(), CGRectMake(20, 10, 30, 40));
    setRight(view, 100);
    EXPECT_EQ(view.frame(), CGRectMake(20, 10, 80, 40));
    setBottom(view, 60);
    EXPECT_EQ(view.frame(), CGRectMake(20, 10, 80, 50));
    EXPECT_EQ(right(view), 100);
    EXPECT_EQ(bottom(view), 60);
}

TEST(FrameAdditions, EdgesPastTheOppositeOneGiveZeroSize) {
    UIView view(CGRectMake(10, 20, 40, 30));
    setLeft(view, 80);  // beyond the right edge at 50
    EXPECT_EQ(view.frame(), CGRectMake(80, 20, 0, 30));
    EXPECT_EQ(right(view), 80) << "the right edge is now the value, not the old edge";
    UIView other(CGRectMake(10, 20, 40, 30));
    setRight(other, 5);
    EXPECT_EQ(width(other), 0);
    setBottom(other, 0);
    EXPECT_EQ(height(other), 0);
    EXPECT_EQ(y(other), 20);
}

TEST(FrameAdditions, MEdgesMoveTheViewAndKeepItsSize) {
    UIView view(CGRectMake(0, 0, 40, 10));
    setRightM(view, 100);
    EXPECT_EQ(view.frame(), CGRectMake(60, 0, 40, 10));
    setBottomM(view, 50);
    EXPECT_EQ(view.frame(), CGRectMake(60, 40, 40, 10));
    setLeftM(view, 5);
    setTopM(view, 6);
    EXPECT_EQ(view.frame(), CGRectMake(5, 6, 40, 10));
    EXPECT_EQ(rightM(view), 45);
    EXPECT_EQ(bottomM(view), 16);
}

TEST(FrameAdditions, ResizedLengthsGoThroughSinglePrecision) {
    UIView view(CGRectMake(0, 0, 10, 10));
    setRight(view, 100.1);
    EXPECT_EQ(width(view), double(100.1f));
    EXPECT_NE(width(view), 100.1);
    setWidth(view, 100.1);
    EXPECT_EQ(width(view), 100.1) << "the plain setters keep double precision";
}

TEST(FrameAdditions, CentersOriginsAndSizes) {
    UIView view(CGRectMake(0, 0, 40, 20));
    setCenterX(view, 100);
    setCenterY(view, 50);
    EXPECT_EQ(view.frame(), CGRectMake(80, 40, 40, 20));
    EXPECT_EQ(centerX(view), 100);
    setOrigin(view, {1, 2});
    setSize(view, {3, 4});
    EXPECT_EQ(view.frame(), CGRectMake(1, 2, 3, 4));
    setX(view, 7);
    setY(view, 8);
    setHeight(view, 9);
    EXPECT_EQ(view.frame(), CGRectMake(7, 8, 3, 9));
    EXPECT_EQ(origin(view).x, 7);
    EXPECT_EQ(size(view).height, 9);
}
