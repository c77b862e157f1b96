#pragma once
// 2-D affine transforms: x' = a x + c y + tx, y' = b x + d y + ty.

#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

struct CGAffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity{};

CGAffineTransform CGAffineTransformMakeTranslation(double tx, double ty);
CGAffineTransform CGAffineTransformMakeScale(double sx, double sy);
CGAffineTransform CGAffineTransformMakeRotation(double radians);
// `t` first, then `then`.
CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t, const CGAffineTransform& then);
CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, double tx, double ty);
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, double sx, double sy);
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, double radians);
// The inverse, or `t` unchanged when it cannot be inverted.
CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t);
inline bool CGAffineTransformIsIdentity(const CGAffineTransform& t) { return t == CGAffineTransformIdentity; }
bool CGAffineTransformIsFinite(const CGAffineTransform& t);

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t);
// The bounding box of the transformed rectangle.
CGRect CGRectApplyAffineTransform(const CGRect& r, const CGAffineTransform& t);
// Straight interpolation of the six numbers, what block animations show.
CGAffineTransform CGAffineTransformInterpolate(const CGAffineTransform& from, const CGAffineTransform& to, double f);

}  // namespace uikit
