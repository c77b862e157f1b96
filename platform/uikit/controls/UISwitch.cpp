#include "platform/uikit/controls/UISwitch.h"

#include <cmath>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {
namespace {

constexpr double kThumbInset = 2;
constexpr double kDragThreshold = 5;  // points before a touch counts as a drag

}  // namespace

UISwitch::UISwitch(const CGRect& frame) : UIControl(CGRectMake(frame.origin.x, frame.origin.y, kSize.width, kSize.height)) {
    setDrawsContent(true);
}

void UISwitch::setOn(bool on, bool) {
    if (on == on_) return;
    on_ = on;
    setNeedsDisplay();
}

UIColor UISwitch::onTintColor() const {
    return onTint_ ? *onTint_ : fromAppearance_.onTintColor ? *fromAppearance_.onTintColor : colors::systemGreenColor;
}
void UISwitch::setOnTintColor(std::optional<UIColor> c) {
    onTint_ = c;
    setNeedsDisplay();
}
UIColor UISwitch::offTintColor() const {
    return offTint_ ? *offTint_ : fromAppearance_.tintColor ? *fromAppearance_.tintColor
                                                                     : systemColor(UISystemColor::switchOffTrack);
}
void UISwitch::setOffTintColor(std::optional<UIColor> c) {
    offTint_ = c;
    setNeedsDisplay();
}
UIColor UISwitch::thumbTintColor() const {
    return thumbTint_ ? *thumbTint_ : fromAppearance_.thumbTintColor ? *fromAppearance_.thumbTintColor : colors::whiteColor;
}
void UISwitch::setThumbTintColor(std::optional<UIColor> c) {
    thumbTint_ = c;
    setNeedsDisplay();
}

void UISwitch::didMoveToWindow() {
    if (!window()) return;
    fromAppearance_ = UIAppearance<UISwitchAppearance>::resolve(*this);
    setNeedsDisplay();
}

void UISwitch::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const double w = kSize.width, h = kSize.height, r = h / 2;
    const bool showOn = thumbSide_.value_or(on_);
    cairo_save(cr);
    addRoundedRect(cr, CGRectMake(0, 0, w, h), r);
    if (showOn) {
        setSourceColor(cr, onTintColor());
        cairo_fill(cr);
    } else {
        setSourceColor(cr, systemColor(UISystemColor::switchOffFill));
        cairo_fill_preserve(cr);
        cairo_new_path(cr);
        addRoundedRect(cr, CGRectMake(0.75, 0.75, w - 1.5, h - 1.5), r - 0.75);
        cairo_set_line_width(cr, 1.5);
        setSourceColor(cr, offTintColor());
        cairo_stroke(cr);
    }
    const double d = h - 2 * kThumbInset;
    const double x = showOn ? w - kThumbInset - d : kThumbInset;
    // A soft shadow under the thumb.
    cairo_new_path(cr);
    cairo_arc(cr, x + d / 2, kThumbInset + d / 2 + 1, d / 2 + 0.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, isHighlighted() ? 0.2 : 0.12);
    cairo_fill(cr);
    cairo_arc(cr, x + d / 2, kThumbInset + d / 2, d / 2, 0, 2 * M_PI);
    setSourceColor(cr, thumbTintColor());
    cairo_fill(cr);
    cairo_restore(cr);
}

bool UISwitch::beginTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    dragged_ = false;
    trackStart_ = touch.locationInView(this);
    return true;
}

bool UISwitch::continueTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    const CGPoint p = touch.locationInView(this);
    if (!dragged_ && std::fabs(p.x - trackStart_.x) < kDragThreshold) return true;
    dragged_ = true;
    const bool side = p.x > kSize.width / 2;
    if (thumbSide_ != side) {
        thumbSide_ = side;
        setNeedsDisplay();
    }
    return true;
}

void UISwitch::endTrackingWithTouch(const UITouch* touch, const UIEvent*) {
    const bool next = dragged_ ? thumbSide_.value_or(on_) : (isTouchInside() || !touch ? !on_ : on_);
    const bool inside = touch && isInsideForTracking(touch->locationInView(this));
    thumbSide_.reset();
    setNeedsDisplay();
    // A tap counts only when it ends on the switch; a drag wherever it ends.
    if ((dragged_ || inside) && next != on_) {
        on_ = next;
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
}

void UISwitch::cancelTrackingWithEvent(const UIEvent*) {
    thumbSide_.reset();
    setNeedsDisplay();
}

bool UISwitch::pressFocusedKey(UIKey key) {
    if (key != UIKey::Return && key != UIKey::Space) return false;
    auto keep = weak_from_this().lock();
    on_ = !on_;
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventValueChanged);
    sendActionsForControlEvents(UIControlEventTouchUpInside);
    return true;
}

}  // namespace uikit
