#pragma once
// An on/off switch, 51 × 31 points whatever frame it is given. A tap toggles
// it; a drag moves the thumb and the switch takes the side it is let go on.

#include <optional>

#include "platform/uikit/controls/UIAppearance.h"
#include "platform/uikit/controls/UIControl.h"

namespace uikit {

struct UISwitchAppearance {
    std::optional<UIColor> onTintColor, tintColor, thumbTintColor;

    void setOnTintColor(std::optional<UIColor> c) { onTintColor = c; }
    void setTintColor(std::optional<UIColor> c) { tintColor = c; }
    void setThumbTintColor(std::optional<UIColor> c) { thumbTintColor = c; }
    void merge(const UISwitchAppearance& over) {
        if (over.onTintColor) onTintColor = over.onTintColor;
        if (over.tintColor) tintColor = over.tintColor;
        if (over.thumbTintColor) thumbTintColor = over.thumbTintColor;
    }
};

class UISwitch : public UIControl {
public:
    static constexpr CGSize kSize{51, 31};

    explicit UISwitch(const CGRect& frame = CGRectZero);

    bool isOn() const { return on_; }
    // Changes the state without sending value-changed, as the platform does.
    void setOn(bool on, bool animated = false);

    // Own value, else the appearance proxy's (taken when joining a window), else green.
    UIColor onTintColor() const;
    void setOnTintColor(std::optional<UIColor> color);
    UIColor offTintColor() const;
    void setOffTintColor(std::optional<UIColor> color);
    UIColor thumbTintColor() const;
    void setThumbTintColor(std::optional<UIColor> color);

    static UISwitchAppearance& appearance() { return UIAppearance<UISwitchAppearance>::appearance(); }
    static UISwitchAppearance& appearanceWhenContainedIn(const std::vector<UIAppearanceContainer>& chain) {
        return UIAppearance<UISwitchAppearance>::appearanceWhenContainedIn(chain);
    }
    static UISwitchAppearance& appearanceWhenContainedInInstancesOfClasses(const std::vector<UIAppearanceContainer>& chain) {
        return UIAppearance<UISwitchAppearance>::appearanceWhenContainedInInstancesOfClasses(chain);
    }

    // Return or Space toggle a focused switch, as a tap does.
    bool canBecomeFocused() const override { return isEnabled(); }
    bool pressFocusedKey(UIKey key) override;
    CGSize sizeThatFits(CGSize) const override { return kSize; }
    CGSize intrinsicContentSize() const override { return kSize; }

protected:
    void drawRect(const CGRect& rect) override;
    void didMoveToWindow() override;
    bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;
    void cancelTrackingWithEvent(const UIEvent* event) override;
    bool keepsGestureFromAncestor(const UIGestureRecognizer&) const override { return true; }
    std::optional<CGSize> fixedFrameSize() const override { return kSize; }

private:
    bool on_ = false;
    std::optional<UIColor> onTint_, offTint_, thumbTint_;  // set on this switch
    UISwitchAppearance fromAppearance_;
    bool dragged_ = false;
    std::optional<bool> thumbSide_;  // while dragging: the side the thumb is shown on
    CGPoint trackStart_;
};

}  // namespace uikit
