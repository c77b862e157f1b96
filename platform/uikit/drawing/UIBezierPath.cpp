#include "platform/uikit/drawing/UIBezierPath.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {

void addRoundedRect(cairo_t* cr, const CGRect& rect, double radius, unsigned corners) {
    const CGRect r = CGRectStandardize(rect);
    const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
    const double rr = std::clamp(std::isfinite(radius) ? radius : 0, 0.0, std::min(w, h) / 2);
    if (rr <= 0 || corners == 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    auto radiusOf = [&](unsigned corner) { return (corners & corner) ? rr : 0; };
    cairo_new_sub_path(cr);
    const double tl = radiusOf(UIRectCornerTopLeft), tr = radiusOf(UIRectCornerTopRight);
    const double br = radiusOf(UIRectCornerBottomRight), bl = radiusOf(UIRectCornerBottomLeft);
    cairo_move_to(cr, x + tl, y);
    cairo_line_to(cr, x + w - tr, y);
    if (tr > 0) cairo_arc(cr, x + w - tr, y + tr, tr, -M_PI / 2, 0);
    cairo_line_to(cr, x + w, y + h - br);
    if (br > 0) cairo_arc(cr, x + w - br, y + h - br, br, 0, M_PI / 2);
    cairo_line_to(cr, x + bl, y + h);
    if (bl > 0) cairo_arc(cr, x + bl, y + h - bl, bl, M_PI / 2, M_PI);
    cairo_line_to(cr, x, y + tl);
    if (tl > 0) cairo_arc(cr, x + tl, y + tl, tl, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRect(const CGRect& rect) {
    auto path = bezierPath();
    const CGRect r = CGRectStandardize(rect);
    path->moveToPoint(r.origin);
    path->addLineToPoint({r.origin.x + r.size.width, r.origin.y});
    path->addLineToPoint({r.origin.x + r.size.width, r.origin.y + r.size.height});
    path->addLineToPoint({r.origin.x, r.origin.y + r.size.height});
    path->closePath();
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(const CGRect& rect) {
    auto path = bezierPath();
    const CGRect r = CGRectStandardize(rect);
    // Four cubic quarters; kappa places the control points of a circle.
    const double k = 0.5522847498, cx = CGRectGetMidX(r), cy = CGRectGetMidY(r);
    const double rx = r.size.width / 2, ry = r.size.height / 2;
    path->moveToPoint({cx + rx, cy});
    path->addCurveToPoint({cx, cy + ry}, {cx + rx, cy + k * ry}, {cx + k * rx, cy + ry});
    path->addCurveToPoint({cx - rx, cy}, {cx - k * rx, cy + ry}, {cx - rx, cy + k * ry});
    path->addCurveToPoint({cx, cy - ry}, {cx - rx, cy - k * ry}, {cx - k * rx, cy - ry});
    path->addCurveToPoint({cx + rx, cy}, {cx + k * rx, cy - ry}, {cx + rx, cy - k * ry});
    path->closePath();
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(const CGRect& rect, double cornerRadius) {
    return bezierPathWithRoundedRect(rect, UIRectCornerAllCorners, {cornerRadius, cornerRadius});
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(const CGRect& rect, unsigned corners,
                                                                      CGSize radii) {
    auto path = bezierPath();
    const CGRect r = CGRectStandardize(rect);
    const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
    const double rad = std::clamp(std::max(radii.width, radii.height), 0.0, std::min(w, h) / 2);
    auto rc = [&](unsigned c) { return (corners & c) ? rad : 0.0; };
    const double tl = rc(UIRectCornerTopLeft), tr = rc(UIRectCornerTopRight);
    const double br = rc(UIRectCornerBottomRight), bl = rc(UIRectCornerBottomLeft);
    path->moveToPoint({x + tl, y});
    path->addLineToPoint({x + w - tr, y});
    if (tr > 0) path->addArcWithCenter({x + w - tr, y + tr}, tr, -M_PI / 2, 0, true);
    path->addLineToPoint({x + w, y + h - br});
    if (br > 0) path->addArcWithCenter({x + w - br, y + h - br}, br, 0, M_PI / 2, true);
    path->addLineToPoint({x + bl, y + h});
    if (bl > 0) path->addArcWithCenter({x + bl, y + h - bl}, bl, M_PI / 2, M_PI, true);
    path->addLineToPoint({x, y + tl});
    if (tl > 0) path->addArcWithCenter({x + tl, y + tl}, tl, M_PI, 3 * M_PI / 2, true);
    path->closePath();
    return path;
}

void UIBezierPath::moveToPoint(CGPoint p) { ops_.push_back({Op::Move, {p.x, p.y}}); }
void UIBezierPath::addLineToPoint(CGPoint p) { ops_.push_back({Op::Line, {p.x, p.y}}); }
void UIBezierPath::addCurveToPoint(CGPoint e, CGPoint c1, CGPoint c2) {
    ops_.push_back({Op::Curve, {c1.x, c1.y, c2.x, c2.y, e.x, e.y}});
}
// Clockwise in a y-down space is cairo's positive direction.
void UIBezierPath::addArcWithCenter(CGPoint c, double radius, double start, double end, bool clockwise) {
    ops_.push_back({clockwise ? Op::Arc : Op::ArcNegative, {c.x, c.y, radius, start, end}});
}
void UIBezierPath::closePath() { ops_.push_back({Op::Close, {}}); }
void UIBezierPath::appendPath(const UIBezierPath& other) { ops_.insert(ops_.end(), other.ops_.begin(), other.ops_.end()); }

void UIBezierPath::addToContext(cairo_t* cr) const {
    cairo_new_path(cr);
    for (const Segment& s : ops_) {
        switch (s.op) {
            case Op::Move: cairo_move_to(cr, s.v[0], s.v[1]); break;
            case Op::Line: cairo_line_to(cr, s.v[0], s.v[1]); break;
            case Op::Curve: cairo_curve_to(cr, s.v[0], s.v[1], s.v[2], s.v[3], s.v[4], s.v[5]); break;
            case Op::Arc: cairo_arc(cr, s.v[0], s.v[1], s.v[2], s.v[3], s.v[4]); break;
            case Op::ArcNegative: cairo_arc_negative(cr, s.v[0], s.v[1], s.v[2], s.v[3], s.v[4]); break;
            case Op::Close: cairo_close_path(cr); break;
        }
    }
}

CGRect UIBezierPath::bounds() const {
    CGRect box = CGRectNull;
    auto add = [&](double x, double y) { box = CGRectUnion(box, CGRectMake(x, y, 0, 0)); };
    for (const Segment& s : ops_) {
        switch (s.op) {
            case Op::Move:
            case Op::Line: add(s.v[0], s.v[1]); break;
            case Op::Curve: add(s.v[0], s.v[1]), add(s.v[2], s.v[3]), add(s.v[4], s.v[5]); break;
            case Op::Arc:
            case Op::ArcNegative: add(s.v[0] - s.v[2], s.v[1] - s.v[2]), add(s.v[0] + s.v[2], s.v[1] + s.v[2]); break;
            case Op::Close: break;
        }
    }
    return CGRectIsNull(box) ? CGRectZero : box;
}

void UIBezierPath::fill(const UIColor& color) const {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    cairo_save(cr);
    addToContext(cr);
    setSourceColor(cr, color);
    cairo_fill(cr);
    cairo_restore(cr);
}

void UIBezierPath::stroke(const UIColor& color) const {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    cairo_save(cr);
    addToContext(cr);
    setSourceColor(cr, color);
    cairo_set_line_width(cr, lineWidth_);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void UIBezierPath::addClip() const {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    addToContext(cr);
    cairo_clip(cr);
}

bool UIBezierPath::containsPoint(CGPoint p) const {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    addToContext(cr);
    const bool inside = cairo_in_fill(cr, p.x, p.y);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return inside;
}

}  // namespace uikit
