#include "platform/uikit/geometry/CGGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace uikit {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// %g with enough digits to read back the same double, as Foundation prints CGFloat.
std::string number(double v) {
    char buffer[40];
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
        if (std::strtod(buffer, nullptr) == v) break;
    }
    return buffer;
}

}  // namespace

const CGRect CGRectNull{{kInf, kInf}, {0, 0}};

CGRect CGRectStandardize(const CGRect& r) {
    CGRect s = r;
    if (s.size.width < 0) s.origin.x += s.size.width, s.size.width = -s.size.width;
    if (s.size.height < 0) s.origin.y += s.size.height, s.size.height = -s.size.height;
    return s;
}

double CGRectGetMinX(const CGRect& r) { return CGRectStandardize(r).origin.x; }
double CGRectGetMidX(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.x + s.size.width / 2; }
double CGRectGetMaxX(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.x + s.size.width; }
double CGRectGetMinY(const CGRect& r) { return CGRectStandardize(r).origin.y; }
double CGRectGetMidY(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.y + s.size.height / 2; }
double CGRectGetMaxY(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.y + s.size.height; }

bool CGRectIsNull(const CGRect& r) { return std::isinf(r.origin.x) || std::isinf(r.origin.y); }
bool CGRectIsEmpty(const CGRect& r) { return CGRectIsNull(r) || r.size.width == 0 || r.size.height == 0; }
bool CGRectIsZero(const CGRect& r) { return r == CGRectZero; }

bool CGRectContainsPoint(const CGRect& r, CGPoint p) {
    if (CGRectIsNull(r)) return false;
    const CGRect s = CGRectStandardize(r);
    return p.x >= s.origin.x && p.x < s.origin.x + s.size.width && p.y >= s.origin.y &&
           p.y < s.origin.y + s.size.height;
}

bool CGRectContainsRect(const CGRect& outer, const CGRect& inner) {
    if (CGRectIsNull(outer) || CGRectIsNull(inner)) return false;
    return CGRectGetMinX(inner) >= CGRectGetMinX(outer) && CGRectGetMaxX(inner) <= CGRectGetMaxX(outer) &&
           CGRectGetMinY(inner) >= CGRectGetMinY(outer) && CGRectGetMaxY(inner) <= CGRectGetMaxY(outer);
}

CGRect CGRectIntersection(const CGRect& a, const CGRect& b) {
    if (CGRectIsNull(a) || CGRectIsNull(b)) return CGRectNull;
    const double x0 = std::max(CGRectGetMinX(a), CGRectGetMinX(b)), x1 = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b));
    const double y0 = std::max(CGRectGetMinY(a), CGRectGetMinY(b)), y1 = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    if (x1 < x0 || y1 < y0) return CGRectNull;
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    const CGRect i = CGRectIntersection(a, b);
    return !CGRectIsNull(i) && i.size.width > 0 && i.size.height > 0;
}

CGRect CGRectUnion(const CGRect& a, const CGRect& b) {
    if (CGRectIsNull(a)) return CGRectStandardize(b);
    if (CGRectIsNull(b)) return CGRectStandardize(a);
    const double x0 = std::min(CGRectGetMinX(a), CGRectGetMinX(b)), x1 = std::max(CGRectGetMaxX(a), CGRectGetMaxX(b));
    const double y0 = std::min(CGRectGetMinY(a), CGRectGetMinY(b)), y1 = std::max(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGRect CGRectInset(const CGRect& r, double dx, double dy) {
    if (CGRectIsNull(r)) return CGRectNull;
    CGRect s = CGRectStandardize(r);
    s.origin.x += dx, s.origin.y += dy;
    s.size.width -= 2 * dx, s.size.height -= 2 * dy;
    if (s.size.width < 0 || s.size.height < 0) return CGRectNull;
    return s;
}

CGRect CGRectOffset(const CGRect& r, double dx, double dy) {
    if (CGRectIsNull(r)) return CGRectNull;
    CGRect s = CGRectStandardize(r);
    s.origin.x += dx, s.origin.y += dy;
    return s;
}

CGRect CGRectIntegral(const CGRect& r) {
    if (CGRectIsNull(r)) return CGRectNull;
    const double x0 = std::floor(CGRectGetMinX(r)), y0 = std::floor(CGRectGetMinY(r));
    return CGRectMake(x0, y0, std::ceil(CGRectGetMaxX(r)) - x0, std::ceil(CGRectGetMaxY(r)) - y0);
}

CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& i) {
    return CGRectMake(r.origin.x + i.left, r.origin.y + i.top, r.size.width - i.left - i.right,
                      r.size.height - i.top - i.bottom);
}

bool CGRectIsFinite(const CGRect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

std::string NSStringFromCGPoint(CGPoint p) { return "{" + number(p.x) + ", " + number(p.y) + "}"; }
std::string NSStringFromCGSize(CGSize s) { return "{" + number(s.width) + ", " + number(s.height) + "}"; }
std::string NSStringFromCGRect(const CGRect& r) {
    return "{" + NSStringFromCGPoint(r.origin) + ", " + NSStringFromCGSize(r.size) + "}";
}

}  // namespace uikit
