#pragma once
// Paths in points: rectangles, ovals, rounded rectangles with chosen corners,
// lines, curves and arcs; filled, stroked or clipped in the current context.

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/uikit/drawing/UIColor.h"
#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

enum UIRectCorner : unsigned {
    UIRectCornerTopLeft = 1 << 0,
    UIRectCornerTopRight = 1 << 1,
    UIRectCornerBottomLeft = 1 << 2,
    UIRectCornerBottomRight = 1 << 3,
    UIRectCornerAllCorners = 15,
};

class UIBezierPath {
public:
    static std::shared_ptr<UIBezierPath> bezierPath() { return std::make_shared<UIBezierPath>(); }
    static std::shared_ptr<UIBezierPath> bezierPathWithRect(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> bezierPathWithOvalInRect(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> bezierPathWithRoundedRect(const CGRect& rect, double cornerRadius);
    // Radii are clamped to half the width and height, as the platform does.
    static std::shared_ptr<UIBezierPath> bezierPathWithRoundedRect(const CGRect& rect, unsigned corners, CGSize radii);

    void moveToPoint(CGPoint p);
    void addLineToPoint(CGPoint p);
    void addCurveToPoint(CGPoint end, CGPoint control1, CGPoint control2);
    void addArcWithCenter(CGPoint center, double radius, double startAngle, double endAngle, bool clockwise);
    void closePath();
    void appendPath(const UIBezierPath& other);

    double lineWidth() const { return lineWidth_; }
    void setLineWidth(double w) { lineWidth_ = w; }
    bool isEmpty() const { return ops_.empty(); }
    CGRect bounds() const;  // of the points, control points included

    // Replays the path into `cr` (the current path is replaced).
    void addToContext(cairo_t* cr) const;
    // In the current context.
    void fill(const UIColor& color) const;
    void stroke(const UIColor& color) const;
    void addClip() const;
    bool containsPoint(CGPoint p) const;

private:
    enum class Op { Move, Line, Curve, Arc, ArcNegative, Close };
    struct Segment {
        Op op;
        double v[6];
    };
    std::vector<Segment> ops_;
    double lineWidth_ = 1;
};

using UIBezierPathPtr = std::shared_ptr<UIBezierPath>;

// A rounded rectangle straight into `cr`, the shape layers clip and fill with.
void addRoundedRect(cairo_t* cr, const CGRect& rect, double radius, unsigned corners = UIRectCornerAllCorners);

}  // namespace uikit
