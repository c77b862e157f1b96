#pragma once
// Points, sizes, rectangles and edge insets in points, and the rectangle
// helpers layout code uses.

#include <string>

namespace uikit {

struct CGPoint {
    double x = 0, y = 0;
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    double width = 0, height = 0;
    bool operator==(const CGSize&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

struct UIEdgeInsets {
    double top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const UIEdgeInsets&) const = default;
};

inline constexpr CGPoint CGPointMake(double x, double y) { return {x, y}; }
inline constexpr CGSize CGSizeMake(double w, double h) { return {w, h}; }
inline constexpr CGRect CGRectMake(double x, double y, double w, double h) { return {{x, y}, {w, h}}; }
inline constexpr UIEdgeInsets UIEdgeInsetsMake(double t, double l, double b, double r) { return {t, l, b, r}; }

inline constexpr CGRect CGRectZero{};
// The null rectangle: infinite origin, zero size; what an empty intersection gives.
extern const CGRect CGRectNull;

// Results of these take the standardized rectangle (negative sizes flipped).
CGRect CGRectStandardize(const CGRect& r);
double CGRectGetMinX(const CGRect& r);
double CGRectGetMidX(const CGRect& r);
double CGRectGetMaxX(const CGRect& r);
double CGRectGetMinY(const CGRect& r);
double CGRectGetMidY(const CGRect& r);
double CGRectGetMaxY(const CGRect& r);
inline double CGRectGetWidth(const CGRect& r) { return CGRectStandardize(r).size.width; }
inline double CGRectGetHeight(const CGRect& r) { return CGRectStandardize(r).size.height; }

bool CGRectIsNull(const CGRect& r);
bool CGRectIsEmpty(const CGRect& r);  // null, or zero width or height
bool CGRectIsZero(const CGRect& r);   // equal to CGRectZero
bool CGRectContainsPoint(const CGRect& r, CGPoint p);  // min edges in, max edges out
bool CGRectContainsRect(const CGRect& outer, const CGRect& inner);
bool CGRectIntersectsRect(const CGRect& a, const CGRect& b);
CGRect CGRectIntersection(const CGRect& a, const CGRect& b);
CGRect CGRectUnion(const CGRect& a, const CGRect& b);
CGRect CGRectInset(const CGRect& r, double dx, double dy);  // null when it would turn negative
CGRect CGRectOffset(const CGRect& r, double dx, double dy);
CGRect CGRectIntegral(const CGRect& r);
CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& insets);

// Every coordinate a finite number.
bool CGRectIsFinite(const CGRect& r);
inline bool CGPointIsFinite(CGPoint p) { return CGRectIsFinite({p, {}}); }

// "{{x, y}, {w, h}}", "{x, y}", "{w, h}" with the shortest exact form of each number.
std::string NSStringFromCGRect(const CGRect& r);
std::string NSStringFromCGPoint(CGPoint p);
std::string NSStringFromCGSize(CGSize s);

}  // namespace uikit
