#include "platform/uikit/events/UIPanGestureRecognizer.h"

#include <cmath>

#include "platform/uikit/views/UIView.h"

namespace uikit {
namespace {

constexpr double kHysteresis = 10;  // points moved before a pan begins

}  // namespace

void UIPanGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent& event) {
    if (numberOfTouches() > maxTouches_) {
        setState(state() == UIGestureRecognizerState::Possible ? UIGestureRecognizerState::Failed
                                                               : UIGestureRecognizerState::Ended);
        return;
    }
    start_ = last_ = previous_ = locationInView(nullptr);
    lastTime_ = previousTime_ = event.timestamp();
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent& event) {
    if (numberOfTouches() < minTouches_) return;
    previous_ = last_, previousTime_ = lastTime_;
    last_ = locationInView(nullptr), lastTime_ = event.timestamp();
    if (state() == UIGestureRecognizerState::Possible) {
        if (std::hypot(last_.x - start_.x, last_.y - start_.y) >= kHysteresis) setState(UIGestureRecognizerState::Began);
    } else if (state() == UIGestureRecognizerState::Began || state() == UIGestureRecognizerState::Changed) {
        setState(UIGestureRecognizerState::Changed);
    }
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet&, const UIEvent&) {
    if (numberOfTouches() > 0) return;
    if (state() == UIGestureRecognizerState::Began || state() == UIGestureRecognizerState::Changed)
        setState(UIGestureRecognizerState::Ended);
    else
        setState(UIGestureRecognizerState::Failed);
}

CGPoint UIPanGestureRecognizer::translationInView(const UIView* view) const {
    if (!view) return {last_.x - start_.x, last_.y - start_.y};
    const CGPoint a = view->convertPointFromView(start_, nullptr), b = view->convertPointFromView(last_, nullptr);
    return {b.x - a.x, b.y - a.y};
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, const UIView* view) {
    const CGPoint now = view ? view->convertPointFromView(last_, nullptr) : last_;
    const CGPoint start{now.x - translation.x, now.y - translation.y};
    start_ = view ? view->convertPointToView(start, nullptr) : start;
}

CGPoint UIPanGestureRecognizer::velocityInView(const UIView* view) const {
    const double dt = lastTime_ - previousTime_;
    if (dt <= 0) return {};
    CGPoint a = previous_, b = last_;
    if (view) a = view->convertPointFromView(a, nullptr), b = view->convertPointFromView(b, nullptr);
    return {(b.x - a.x) / dt, (b.y - a.y) / dt};
}

}  // namespace uikit
