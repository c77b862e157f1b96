#include "platform/uikit/geometry/CGAffineTransform.h"

#include <algorithm>
#include <cmath>

namespace uikit {

CGAffineTransform CGAffineTransformMakeTranslation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
CGAffineTransform CGAffineTransformMakeScale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
CGAffineTransform CGAffineTransformMakeRotation(double r) {
    return {std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
}

CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t, const CGAffineTransform& u) {
    return {t.a * u.a + t.b * u.c,         t.a * u.b + t.b * u.d,         t.c * u.a + t.d * u.c,
            t.c * u.b + t.d * u.d,         t.tx * u.a + t.ty * u.c + u.tx, t.tx * u.b + t.ty * u.d + u.ty};
}

CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, double tx, double ty) {
    return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, double sx, double sy) {
    return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, double r) {
    return CGAffineTransformConcat(CGAffineTransformMakeRotation(r), t);
}

CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t) {
    const double det = t.a * t.d - t.b * t.c;
    if (det == 0 || !std::isfinite(det)) return t;
    return {t.d / det, -t.b / det, -t.c / det, t.a / det, (t.c * t.ty - t.d * t.tx) / det,
            (t.b * t.tx - t.a * t.ty) / det};
}

bool CGAffineTransformIsFinite(const CGAffineTransform& t) {
    for (double v : {t.a, t.b, t.c, t.d, t.tx, t.ty})
        if (!std::isfinite(v)) return false;
    return true;
}

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

CGRect CGRectApplyAffineTransform(const CGRect& r, const CGAffineTransform& t) {
    if (CGRectIsNull(r)) return r;
    const CGRect s = CGRectStandardize(r);
    const CGPoint corners[4] = {CGPointApplyAffineTransform(s.origin, t),
                                CGPointApplyAffineTransform({s.origin.x + s.size.width, s.origin.y}, t),
                                CGPointApplyAffineTransform({s.origin.x, s.origin.y + s.size.height}, t),
                                CGPointApplyAffineTransform({s.origin.x + s.size.width, s.origin.y + s.size.height}, t)};
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const auto& p : corners) x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGAffineTransform CGAffineTransformInterpolate(const CGAffineTransform& f, const CGAffineTransform& t, double p) {
    auto mix = [p](double x, double y) { return x + (y - x) * p; };
    return {mix(f.a, t.a), mix(f.b, t.b), mix(f.c, t.c), mix(f.d, t.d), mix(f.tx, t.tx), mix(f.ty, t.ty)};
}

}  // namespace uikit
