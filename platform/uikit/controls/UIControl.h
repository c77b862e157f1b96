#pragma once
// Controls: touch tracking, states and target–action by control events.

#include <functional>
#include <memory>
#include <vector>

#include "platform/uikit/views/UIView.h"

namespace uikit {

enum UIControlEvents : unsigned {
    UIControlEventTouchDown = 1u << 0,
    UIControlEventTouchDownRepeat = 1u << 1,
    UIControlEventTouchDragInside = 1u << 2,
    UIControlEventTouchDragOutside = 1u << 3,
    UIControlEventTouchDragEnter = 1u << 4,
    UIControlEventTouchDragExit = 1u << 5,
    UIControlEventTouchUpInside = 1u << 6,
    UIControlEventTouchUpOutside = 1u << 7,
    UIControlEventTouchCancel = 1u << 8,
    UIControlEventValueChanged = 1u << 12,
    UIControlEventEditingDidBegin = 1u << 16,
    UIControlEventEditingChanged = 1u << 17,
    UIControlEventEditingDidEnd = 1u << 18,
    UIControlEventEditingDidEndOnExit = 1u << 19,
    UIControlEventAllTouchEvents = 0x00000FFFu,
    UIControlEventAllEditingEvents = 0x000F0000u,
    UIControlEventAllEvents = 0xFFFFFFFFu,
};

enum UIControlState : unsigned {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1u << 0,
    UIControlStateDisabled = 1u << 1,
    UIControlStateSelected = 1u << 2,
};

class UIControl : public UIView {
public:
    using Action = std::function<void(UIControl& sender)>;

    explicit UIControl(const CGRect& frame = CGRectZero);

    // Returns a token for removeTarget.
    int addTarget(Action action, unsigned controlEvents);
    // The action runs while `target` lives; the control does not keep it alive.
    template <class T>
    int addTarget(const std::shared_ptr<T>& target, void (T::*method)(UIControl&), unsigned controlEvents) {
        std::weak_ptr<T> weak = target;
        return addTarget(
            [weak, method](UIControl& sender) {
                if (auto t = weak.lock()) ((*t).*method)(sender);
            },
            controlEvents);
    }
    void removeTarget(int token);
    void removeAllTargets() { targets_.clear(); }
    size_t targetCount() const { return targets_.size(); }
    void sendActionsForControlEvents(unsigned controlEvents);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }
    unsigned state() const;

    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void touchesCancelled(const UITouchSet& touches, const UIEvent& event) override;

protected:
    // Tracking hooks, in the control's coordinates; false stops tracking.
    virtual bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event);
    virtual bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event);
    virtual void endTrackingWithTouch(const UITouch* touch, const UIEvent* event);
    virtual void cancelTrackingWithEvent(const UIEvent* event);
    virtual void stateDidChange() { setNeedsDisplay(); }
    // A tap on a control is the control's, not an enclosing view's recognizer's.
    bool keepsGestureFromAncestor(const UIGestureRecognizer& recognizer) const override;
    // Within this distance of the bounds a finger still counts as inside.
    bool isInsideForTracking(CGPoint point) const;

private:
    struct Target {
        int token;
        unsigned events;
        Action action;
    };
    std::vector<Target> targets_;
    int nextToken_ = 1;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
};

}  // namespace uikit
