#pragma once
// Gesture recognizers see a touch before the view it hits does. A recognizer
// that recognizes takes the touch from the view (touchesCancelled) unless
// cancelsTouchesInView is off.

#include <functional>
#include <memory>
#include <vector>

#include "platform/uikit/events/UIEvent.h"

namespace uikit {

class UIView;

enum class UIGestureRecognizerState { Possible, Began, Changed, Ended, Cancelled, Failed };

class UIGestureRecognizer : public std::enable_shared_from_this<UIGestureRecognizer> {
public:
    using Action = std::function<void(UIGestureRecognizer& recognizer)>;

    explicit UIGestureRecognizer(Action action = {});
    virtual ~UIGestureRecognizer() = default;

    void addTarget(Action action) { actions_.push_back(std::move(action)); }
    // The action runs while `target` lives; the recognizer does not keep it alive.
    template <class T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(UIGestureRecognizer&)) {
        std::weak_ptr<T> weak = target;
        actions_.push_back([weak, method](UIGestureRecognizer& r) {
            if (auto t = weak.lock()) ((*t).*method)(r);
        });
    }

    UIGestureRecognizerState state() const { return state_; }
    UIView* view() const { return view_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }
    // Optional veto before the recognizer begins or recognizes.
    void setShouldBegin(std::function<bool(UIGestureRecognizer&)> shouldBegin) { shouldBegin_ = std::move(shouldBegin); }

    size_t numberOfTouches() const { return touches_.size(); }
    // The centroid of the current touches (of the last ones once they ended).
    CGPoint locationInView(const UIView* view) const;
    CGPoint locationOfTouch(size_t index, const UIView* view) const;

    // Called by the window.
    void handleTouches(UITouchPhase phase, const UITouchSet& touches, const UIEvent& event);
    bool isTracking(const UITouch* touch) const;
    bool tookTouchesFromView() const;
    bool isFinished() const;
    // Back to Possible once every touch has ended.
    void resetIfFinished();

protected:
    virtual void touchesBegan(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesMoved(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesEnded(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesCancelled(const UITouchSet& touches, const UIEvent& event);
    virtual void reset() {}
    // Moves to `state`, asking first when it leaves Possible, and sends the actions.
    void setState(UIGestureRecognizerState state);

private:
    friend class UIView;
    bool allowedToBegin();

    std::vector<Action> actions_;
    std::function<bool(UIGestureRecognizer&)> shouldBegin_;
    UIView* view_ = nullptr;  // the view owns its recognizers
    UIGestureRecognizerState state_ = UIGestureRecognizerState::Possible;
    std::vector<UITouchPtr> touches_;         // down now
    std::vector<UITouchPtr> gestureTouches_;  // every touch of this gesture so far
    CGPoint lastLocation_;  // in window coordinates
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
};

using UIGestureRecognizerPtr = std::shared_ptr<UIGestureRecognizer>;

}  // namespace uikit
