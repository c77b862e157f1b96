#include "platform/uikit/controls/UISlider.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {

UISlider::UISlider(const CGRect& frame) : UIControl(frame) { setDrawsContent(true); }

void UISlider::setValue(double value, bool) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value == value_) return;
    value_ = value;
    setNeedsDisplay();
}

void UISlider::setMinimumValue(double v) {
    if (!std::isfinite(v)) return;
    min_ = v;
    if (max_ < min_) max_ = min_;
    setValue(value_);
}

void UISlider::setMaximumValue(double v) {
    if (!std::isfinite(v)) return;
    max_ = v;
    if (min_ > max_) min_ = max_;
    setValue(value_);
}

void UISlider::setMinimumTrackTintColor(std::optional<UIColor> c) { minTrack_ = c, setNeedsDisplay(); }
void UISlider::setMaximumTrackTintColor(std::optional<UIColor> c) { maxTrack_ = c, setNeedsDisplay(); }
void UISlider::setThumbTintColor(std::optional<UIColor> c) { thumbTint_ = c, setNeedsDisplay(); }

CGRect UISlider::trackRect() const {
    const CGRect b = bounds();
    return CGRectMake(b.origin.x + kThumbDiameter / 2, CGRectGetMidY(b) - 1, std::max(0.0, b.size.width - kThumbDiameter), 2);
}

CGRect UISlider::thumbRect() const {
    const CGRect track = trackRect();
    const double f = max_ > min_ ? (value_ - min_) / (max_ - min_) : 0;
    const double cx = track.origin.x + f * track.size.width;
    return CGRectMake(cx - kThumbDiameter / 2, CGRectGetMidY(bounds()) - kThumbDiameter / 2, kThumbDiameter, kThumbDiameter);
}

double UISlider::valueAt(double x) const {
    const CGRect track = trackRect();
    if (track.size.width <= 0) return min_;
    const double f = std::clamp((x - track.origin.x) / track.size.width, 0.0, 1.0);
    return min_ + f * (max_ - min_);
}

void UISlider::moveTo(double value) {
    const double before = value_;
    setValue(value);
    if (value_ == before) return;
    changedWhileTracking_ = true;
    if (continuous_) sendActionsForControlEvents(UIControlEventValueChanged);
}

bool UISlider::beginTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    changedWhileTracking_ = false;
    const CGPoint p = touch.locationInView(this);
    const CGRect thumb = CGRectInset(thumbRect(), -8, -8);
    if (CGRectContainsPoint(thumb, p)) {
        grabOffset_ = p.x - CGRectGetMidX(thumbRect());
    } else {
        // A tap on the track puts the thumb under the finger.
        grabOffset_ = 0;
        moveTo(valueAt(p.x));
    }
    return true;
}

bool UISlider::continueTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    moveTo(valueAt(touch.locationInView(this).x - grabOffset_));
    return true;
}

void UISlider::endTrackingWithTouch(const UITouch* touch, const UIEvent*) {
    if (touch) moveTo(valueAt(touch->locationInView(this).x - grabOffset_));
    if (changedWhileTracking_ && !continuous_) sendActionsForControlEvents(UIControlEventValueChanged);
    changedWhileTracking_ = false;
}

bool UISlider::pressFocusedKey(UIKey key) {
    if (key != UIKey::Left && key != UIKey::Right) return false;
    auto keep = weak_from_this().lock();
    const double before = value_;
    double step = kKeyStep * (max_ - min_);
    if (keyStepMultiple_ > 0) step = std::max(1.0, std::round(step / keyStepMultiple_)) * keyStepMultiple_;
    setValue(value_ + (key == UIKey::Right ? 1 : -1) * step);
    if (value_ != before) {
        sendActionsForControlEvents(UIControlEventValueChanged);
        sendActionsForControlEvents(UIControlEventTouchUpInside);
    }
    return true;
}

void UISlider::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const CGRect track = trackRect(), thumb = thumbRect();
    const double split = CGRectGetMidX(thumb);
    cairo_save(cr);
    addRoundedRect(cr, track, 1);
    cairo_clip(cr);
    setSourceColor(cr, minimumTrackTintColor());
    cairo_rectangle(cr, track.origin.x, track.origin.y, split - track.origin.x, track.size.height);
    cairo_fill(cr);
    setSourceColor(cr, maximumTrackTintColor());
    cairo_rectangle(cr, split, track.origin.y, CGRectGetMaxX(track) - split, track.size.height);
    cairo_fill(cr);
    cairo_restore(cr);
    const double cx = CGRectGetMidX(thumb), cy = CGRectGetMidY(thumb), r = kThumbDiameter / 2;
    cairo_arc(cr, cx, cy + 1, r, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
    setSourceColor(cr, thumbTintColor());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.08);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
}

}  // namespace uikit
