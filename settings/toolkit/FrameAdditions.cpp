#include "settings/toolkit/FrameAdditions.h"

#include <cmath>

using uikit::CGRect;
using uikit::CGRectMake;

namespace SMFrameAdditions {
namespace {

// A resized length goes through single precision, never below zero.
double clampedLength(double v) { return double(std::fmax(float(v), 0.0f)); }

}  // namespace

CGPoint origin(const UIView& view) { return view.frame().origin; }
void setOrigin(UIView& view, CGPoint v) {
    CGRect f = view.frame();
    f.origin = v;
    view.setFrame(f);
}
double x(const UIView& view) { return view.frame().origin.x; }
void setX(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(v, f.origin.y, f.size.width, f.size.height));
}
double y(const UIView& view) { return view.frame().origin.y; }
void setY(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, v, f.size.width, f.size.height));
}
CGSize size(const UIView& view) { return view.frame().size; }
void setSize(UIView& view, CGSize v) {
    CGRect f = view.frame();
    f.size = v;
    view.setFrame(f);
}
double width(const UIView& view) { return view.frame().size.width; }
void setWidth(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, f.origin.y, v, f.size.height));
}
double height(const UIView& view) { return view.frame().size.height; }
void setHeight(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, f.origin.y, f.size.width, v));
}

double left(const UIView& view) { return view.frame().origin.x; }
void setLeft(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(v, f.origin.y, clampedLength(f.origin.x + f.size.width - v), f.size.height));
}
double top(const UIView& view) { return view.frame().origin.y; }
void setTop(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, v, f.size.width, clampedLength(f.origin.y + f.size.height - v)));
}
double right(const UIView& view) { return view.frame().origin.x + view.frame().size.width; }
void setRight(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, f.origin.y, clampedLength(v - f.origin.x), f.size.height));
}
double bottom(const UIView& view) { return view.frame().origin.y + view.frame().size.height; }
void setBottom(UIView& view, double v) {
    const CGRect f = view.frame();
    view.setFrame(CGRectMake(f.origin.x, f.origin.y, f.size.width, clampedLength(v - f.origin.y)));
}

double leftM(const UIView& view) { return left(view); }
void setLeftM(UIView& view, double v) { setX(view, v); }
double topM(const UIView& view) { return top(view); }
void setTopM(UIView& view, double v) { setY(view, v); }
double rightM(const UIView& view) { return right(view); }
void setRightM(UIView& view, double v) { setX(view, v - view.frame().size.width); }
double bottomM(const UIView& view) { return bottom(view); }
void setBottomM(UIView& view, double v) { setY(view, v - view.frame().size.height); }

double centerX(const UIView& view) { return view.center().x; }
void setCenterX(UIView& view, double v) { view.setCenter({v, view.center().y}); }
double centerY(const UIView& view) { return view.center().y; }
void setCenterY(UIView& view, double v) { view.setCenter({view.center().x, v}); }

}  // namespace SMFrameAdditions
