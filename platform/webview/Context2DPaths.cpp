// Building a path: lines, curves, arcs, rectangles, each point mapped as it is added.
#include <algorithm>
#include <cmath>

#include "platform/webview/CanvasPath.h"
#include "platform/webview/DOMException.h"

namespace webview {
namespace {

constexpr double kTwoPi = 2 * M_PI;

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

Point PathBuilder::toDevice(double x, double y) const {
    cairo_matrix_transform_point(&transform_, &x, &y);
    return {x, y};
}

void PathBuilder::moveTo(double x, double y) {
    if (finite({x, y})) path_.moveTo(toDevice(x, y));
}

void PathBuilder::lineTo(double x, double y) {
    if (finite({x, y})) path_.lineTo(toDevice(x, y));
}

void PathBuilder::quadraticCurveTo(double cx, double cy, double x, double y) {
    if (!finite({cx, cy, x, y})) return;
    if (!path_.currentPoint()) path_.moveTo(toDevice(cx, cy));
    // Raise the quadratic to a cubic; device space is an affine image, so this holds there too.
    const Point p0 = *path_.currentPoint(), c = toDevice(cx, cy), p = toDevice(x, y);
    path_.curveTo({p0.x + 2.0 / 3 * (c.x - p0.x), p0.y + 2.0 / 3 * (c.y - p0.y)},
                  {p.x + 2.0 / 3 * (c.x - p.x), p.y + 2.0 / 3 * (c.y - p.y)}, p);
}

void PathBuilder::bezierCurveTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
    if (!finite({c1x, c1y, c2x, c2y, x, y})) return;
    if (!path_.currentPoint()) path_.moveTo(toDevice(c1x, c1y));
    path_.curveTo(toDevice(c1x, c1y), toDevice(c2x, c2y), toDevice(x, y));
}

void PathBuilder::addArc(Point center, double rx, double ry, double rotation, double start, double end,
                       bool anticlockwise) {
    // The HTML rules as browsers apply them: a sweep of 2π or more in the
    // call's direction is the whole ellipse, and an end that lies behind the
    // start is moved on by whole turns (a full turn when they coincide).
    {
        const double canonical = std::fmod(start, kTwoPi) + (std::fmod(start, kTwoPi) < 0 ? kTwoPi : 0);
        end += canonical - start;
        start = canonical;
    }
    double sweep;
    if (!anticlockwise && end - start >= kTwoPi) sweep = kTwoPi;
    else if (anticlockwise && start - end >= kTwoPi) sweep = -kTwoPi;
    else if (!anticlockwise && start > end) sweep = kTwoPi - std::fmod(start - end, kTwoPi);
    else if (anticlockwise && start < end) sweep = -(kTwoPi - std::fmod(end - start, kTwoPi));
    else sweep = end - start;
    const double cr = std::cos(rotation), sr = std::sin(rotation);
    auto at = [&](double ux, double uy) {  // a point of the unit circle, through the ellipse and the transform
        const double ex = ux * rx, ey = uy * ry;
        return toDevice(center.x + ex * cr - ey * sr, center.y + ex * sr + ey * cr);
    };
    const Point first = at(std::cos(start), std::sin(start));
    if (path_.currentPoint()) path_.lineTo(first);
    else path_.moveTo(first);
    if (sweep == 0) return;

    const int segments = std::max(1, int(std::ceil(std::abs(sweep) / (M_PI / 2) - 1e-9)));
    const double step = sweep / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < segments; ++i) {
        const double a = start + step * i, b = (i + 1 == segments) ? start + sweep : a + step;
        const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
        path_.curveTo(at(ca - k * sa, sa + k * ca), at(cb + k * sb, sb - k * cb), at(cb, sb));
    }
}

void PathBuilder::arc(double x, double y, double r, double start, double end, bool anticlockwise) {
    if (!finite({x, y, r, start, end})) return;
    if (r < 0) throw DOMException("IndexSizeError", "The radius provided (" + std::to_string(r) + ") is negative.");
    addArc({x, y}, r, r, 0, start, end, anticlockwise);
}

void PathBuilder::ellipse(double x, double y, double rx, double ry, double rotation, double start, double end,
                        bool anticlockwise) {
    if (!finite({x, y, rx, ry, rotation, start, end})) return;
    if (rx < 0) throw DOMException("IndexSizeError", "The major-axis radius provided (" + std::to_string(rx) + ") is negative.");
    if (ry < 0) throw DOMException("IndexSizeError", "The minor-axis radius provided (" + std::to_string(ry) + ") is negative.");
    addArc({x, y}, rx, ry, rotation, start, end, anticlockwise);
}

void PathBuilder::arcTo(double x1, double y1, double x2, double y2, double r) {
    if (!finite({x1, y1, x2, y2, r})) return;
    if (r < 0) throw DOMException("IndexSizeError", "The radius provided (" + std::to_string(r) + ") is negative.");
    if (!path_.currentPoint()) path_.moveTo(toDevice(x1, y1));
    cairo_matrix_t inverse = transform_;
    if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return;
    Point p0 = *path_.currentPoint();
    cairo_matrix_transform_point(&inverse, &p0.x, &p0.y);

    const double ax = p0.x - x1, ay = p0.y - y1, bx = x2 - x1, by = y2 - y1;
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    const double cross = ax * by - ay * bx;
    if (la == 0 || lb == 0 || r == 0 || std::abs(cross) < 1e-12 * la * lb) {
        path_.lineTo(toDevice(x1, y1));
        return;
    }
    // Tangent points lie at distance r / tan(θ/2) from the corner.
    const double cosTheta = (ax * bx + ay * by) / (la * lb);
    const double theta = std::acos(std::clamp(cosTheta, -1.0, 1.0));
    const double distance = r / std::tan(theta / 2);
    const Point t0{x1 + ax / la * distance, y1 + ay / la * distance};
    const Point t1{x1 + bx / lb * distance, y1 + by / lb * distance};
    // The centre sits along the bisector, r / sin(θ/2) from the corner.
    const double bisx = ax / la + bx / lb, bisy = ay / la + by / lb, lbis = std::hypot(bisx, bisy);
    const double centerDistance = r / std::sin(theta / 2);
    const Point c{x1 + bisx / lbis * centerDistance, y1 + bisy / lbis * centerDistance};
    const double start = std::atan2(t0.y - c.y, t0.x - c.x), end = std::atan2(t1.y - c.y, t1.x - c.x);
    path_.lineTo(toDevice(t0.x, t0.y));
    addArc(c, r, r, 0, start, end, cross > 0);
}

void PathBuilder::rect(double x, double y, double w, double h) {
    if (!finite({x, y, w, h})) return;
    path_.moveTo(toDevice(x, y));
    path_.lineTo(toDevice(x + w, y));
    path_.lineTo(toDevice(x + w, y + h));
    path_.lineTo(toDevice(x, y + h));
    path_.closePath();
}

void PathBuilder::roundRect(double x, double y, double w, double h, std::vector<double> radii) {
    if (!finite({x, y, w, h})) return;
    if (radii.empty() || radii.size() > 4)
        throw DOMException("RangeError", std::to_string(radii.size()) + " radii provided. Between one and four radii are necessary.");
    for (double r : radii) {
        if (!std::isfinite(r)) return;
        if (r < 0) throw DOMException("RangeError", "Radius value " + std::to_string(r) + " is negative.");
    }
    double tl, tr, br, bl;
    switch (radii.size()) {
    case 1: tl = tr = br = bl = radii[0]; break;
    case 2: tl = br = radii[0], tr = bl = radii[1]; break;
    case 3: tl = radii[0], tr = bl = radii[1], br = radii[2]; break;
    default: tl = radii[0], tr = radii[1], br = radii[2], bl = radii[3]; break;
    }
    if (w < 0) x += w, w = -w, std::swap(tl, tr), std::swap(bl, br);
    if (h < 0) y += h, h = -h, std::swap(tl, bl), std::swap(tr, br);
    double f = 1;
    if (tl + tr > 0) f = std::min(f, w / (tl + tr));
    if (bl + br > 0) f = std::min(f, w / (bl + br));
    if (tl + bl > 0) f = std::min(f, h / (tl + bl));
    if (tr + br > 0) f = std::min(f, h / (tr + br));
    tl *= f, tr *= f, br *= f, bl *= f;

    path_.moveTo(toDevice(x + tl, y));
    path_.lineTo(toDevice(x + w - tr, y));
    if (tr > 0) addArc({x + w - tr, y + tr}, tr, tr, 0, -M_PI / 2, 0, false);
    path_.lineTo(toDevice(x + w, y + h - br));
    if (br > 0) addArc({x + w - br, y + h - br}, br, br, 0, 0, M_PI / 2, false);
    path_.lineTo(toDevice(x + bl, y + h));
    if (bl > 0) addArc({x + bl, y + h - bl}, bl, bl, 0, M_PI / 2, M_PI, false);
    path_.lineTo(toDevice(x, y + tl));
    if (tl > 0) addArc({x + tl, y + tl}, tl, tl, 0, M_PI, 1.5 * M_PI, false);
    path_.closePath();
    path_.moveTo(toDevice(x, y));
}

}  // namespace webview
