// Rectangles, transforms and colors as layout and drawing code relies on them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/uikit/drawing/UIColor.h"
#include "platform/uikit/geometry/CGAffineTransform.h"

using namespace uikit;

TEST(Geometry, RectPredicatesTellNullEmptyAndZeroApart) {
    EXPECT_TRUE(CGRectIsNull(CGRectNull));
    EXPECT_TRUE(CGRectIsEmpty(CGRectNull));
    EXPECT_FALSE(CGRectIsZero(CGRectNull));
    EXPECT_TRUE(CGRectIsZero(CGRectZero));
    EXPECT_TRUE(CGRectIsEmpty(CGRectMake(5, 5, 0, 10)));
    EXPECT_FALSE(CGRectIsEmpty(CGRectMake(5, 5, 1, 1)));
    // Insetting past the middle gives the null rectangle, not a negative size.
    EXPECT_TRUE(CGRectIsNull(CGRectInset(CGRectMake(0, 0, 10, 10), 6, 0)));
    EXPECT_TRUE(CGRectIsNull(CGRectIntersection(CGRectMake(0, 0, 10, 10), CGRectMake(20, 20, 5, 5))));
    EXPECT_EQ(CGRectUnion(CGRectNull, CGRectMake(1, 2, 3, 4)), CGRectMake(1, 2, 3, 4));
}

TEST(Geometry, ContainmentIncludesMinEdgesAndExcludesMaxEdges) {
    const CGRect r = CGRectMake(10, 10, 20, 20);
    EXPECT_TRUE(CGRectContainsPoint(r, {10, 10}));
    EXPECT_FALSE(CGRectContainsPoint(r, {30, 15}));
    EXPECT_FALSE(CGRectContainsPoint(r, {15, 30}));
    EXPECT_TRUE(CGRectContainsRect(r, CGRectMake(10, 10, 20, 20)));
    EXPECT_FALSE(CGRectContainsRect(r, CGRectMake(9, 10, 5, 5)));
}

TEST(Geometry, MinMidMaxFollowNegativeSizes) {
    const CGRect r = CGRectMake(10, 10, -4, 6);
    EXPECT_EQ(CGRectGetMinX(r), 6);
    EXPECT_EQ(CGRectGetMaxX(r), 10);
    EXPECT_EQ(CGRectGetMidX(r), 8);
    EXPECT_EQ(CGRectGetMidY(r), 13);
    EXPECT_EQ(UIEdgeInsetsInsetRect(CGRectMake(0, 0, 100, 50), {1, 2, 3, 4}), CGRectMake(2, 1, 94, 46));
}

TEST(Geometry, RectsPrintAsFoundationDoes) {
    EXPECT_EQ(NSStringFromCGRect(CGRectMake(0, 0, 110, 44)), "{{0, 0}, {110, 44}}");
    EXPECT_EQ(NSStringFromCGRect(CGRectMake(-1.5, 2.25, 0.1, 1e20)), "{{-1.5, 2.25}, {0.1, 1e+20}}");
}

TEST(Geometry, TransformsComposeInTheOrderGiven) {
    const auto t = CGAffineTransformScale(CGAffineTransformMakeTranslation(10, 0), 2, 2);
    // Scaled first, then translated.
    const CGPoint p = CGPointApplyAffineTransform({1, 1}, t);
    EXPECT_DOUBLE_EQ(p.x, 12);
    EXPECT_DOUBLE_EQ(p.y, 2);
    const CGPoint back = CGPointApplyAffineTransform(p, CGAffineTransformInvert(t));
    EXPECT_NEAR(back.x, 1, 1e-12);
    EXPECT_NEAR(back.y, 1, 1e-12);
    const CGRect rotated = CGRectApplyAffineTransform(CGRectMake(0, 0, 10, 20), CGAffineTransformMakeRotation(M_PI / 2));
    EXPECT_NEAR(rotated.size.width, 20, 1e-9);
    EXPECT_NEAR(rotated.size.height, 10, 1e-9);
}

TEST(Colors, HueSaturationBrightnessRoundTrip) {
    double h, s, b, a;
    ASSERT_TRUE(getHue(colors::systemBlueColor, &h, &s, &b, &a));
    const UIColor back = colorWithHue(h, s, b, a);
    EXPECT_NEAR(back.red(), 0, 1e-9);
    EXPECT_NEAR(back.green(), 0.478431, 1e-6);
    EXPECT_NEAR(back.blue(), 1, 1e-9);
    ASSERT_TRUE(getHue(colorWithWhite(0.5, 1), &h, &s, &b, &a));
    EXPECT_EQ(s, 0);
    EXPECT_EQ(b, 0.5);
}

TEST(Colors, HueCannotBeReadFromAColorThatIsNoNumber) {
    double h = 7, s = 7, b = 7, a = 7;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(getHue(UIColor::rgb(nan, 0, 0), &h, &s, &b, &a));
    EXPECT_EQ(h, 7);
    EXPECT_EQ(a, 7);
}

TEST(Colors, SimilarityIsPerChannelWithinThePercentage) {
    EXPECT_TRUE(isSimilarToColor(UIColor::rgb(0.05, 0.5, 0.95), colors::systemBlueColor, 0.1));
    EXPECT_FALSE(isSimilarToColor(UIColor::rgb(143 / 255.0, 0, 1), colors::systemBlueColor, 0.1));
    EXPECT_FALSE(isSimilarToColor(colorWithAlphaComponent(colors::systemBlueColor, 0.5), colors::systemBlueColor, 0.1));
}
