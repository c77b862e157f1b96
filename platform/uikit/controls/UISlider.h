#pragma once
// A horizontal slider: drag the thumb, or tap the track to put it there.
// Continuous sliders send value-changed on every move, others on release.

#include <optional>

#include "platform/uikit/controls/UIControl.h"

namespace uikit {

class UISlider : public UIControl {
public:
    static constexpr double kThumbDiameter = 28;

    explicit UISlider(const CGRect& frame = CGRectZero);

    double value() const { return value_; }
    // Clamped to the range; sends nothing.
    void setValue(double value, bool animated = false);
    double minimumValue() const { return min_; }
    void setMinimumValue(double v);
    double maximumValue() const { return max_; }
    void setMaximumValue(double v);
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    // Left of the thumb: own color, else the tint.
    UIColor minimumTrackTintColor() const { return minTrack_.value_or(tintColor()); }
    void setMinimumTrackTintColor(std::optional<UIColor> c);
    UIColor maximumTrackTintColor() const { return maxTrack_.value_or(UIColor::grey(0.72)); }
    void setMaximumTrackTintColor(std::optional<UIColor> c);
    UIColor thumbTintColor() const { return thumbTint_.value_or(colors::whiteColor); }
    void setThumbTintColor(std::optional<UIColor> c);

    // Left and Right move a focused slider by kKeyStep of its range, sent as a
    // short drag is: value-changed, then the release.
    static constexpr double kKeyStep = 0.05;
    // A slider that stops only at steps this far apart (0: anywhere) moves by
    // whole steps from the keyboard too.
    void setKeyStepMultiple(double step) { keyStepMultiple_ = step > 0 ? step : 0; }
    bool canBecomeFocused() const override { return isEnabled(); }
    bool pressFocusedKey(UIKey key) override;

    CGRect trackRect() const;
    CGRect thumbRect() const;
    CGSize sizeThatFits(CGSize size) const override { return {size.width > 0 ? size.width : 118, 31}; }

protected:
    void drawRect(const CGRect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }
    bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;
    bool keepsGestureFromAncestor(const UIGestureRecognizer&) const override { return true; }

private:
    double valueAt(double x) const;
    void moveTo(double value);

    double value_ = 0, min_ = 0, max_ = 1;
    bool continuous_ = true;
    bool changedWhileTracking_ = false;
    double grabOffset_ = 0;  // where on the thumb it was taken, so it does not jump
    std::optional<UIColor> minTrack_, maxTrack_, thumbTint_;
    double keyStepMultiple_ = 0;
};

}  // namespace uikit
