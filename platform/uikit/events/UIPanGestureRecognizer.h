#pragma once
// Recognizes a drag: begins once the touches moved past a small distance,
// then reports every move (Changed) and the lift (Ended).

#include "platform/uikit/events/UIGestureRecognizer.h"

namespace uikit {

class UIPanGestureRecognizer : public UIGestureRecognizer {
public:
    using UIGestureRecognizer::UIGestureRecognizer;

    size_t minimumNumberOfTouches() const { return minTouches_; }
    void setMinimumNumberOfTouches(size_t n) { minTouches_ = n > 0 ? n : 1; }
    size_t maximumNumberOfTouches() const { return maxTouches_; }
    void setMaximumNumberOfTouches(size_t n) { maxTouches_ = n; }

    // Since the gesture began (or the last setTranslation), in `view`'s coordinates.
    CGPoint translationInView(const UIView* view) const;
    void setTranslation(CGPoint translation, const UIView* view);
    // Points per second over the last move, on the UI clock.
    CGPoint velocityInView(const UIView* view) const;

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;

private:
    size_t minTouches_ = 1;
    size_t maxTouches_ = 1000;
    CGPoint start_, last_, previous_;  // window coordinates
    double lastTime_ = 0, previousTime_ = 0;
};

}  // namespace uikit
