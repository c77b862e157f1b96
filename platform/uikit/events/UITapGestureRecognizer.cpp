#include "platform/uikit/events/UITapGestureRecognizer.h"

#include <cmath>

namespace uikit {
namespace {

// How far a finger may wander and still tap, in points.
constexpr double kSlop = 10;

}  // namespace

void UITapGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent&) {
    if (maxTouches_ == 0) start_ = locationInView(nullptr);
    maxTouches_ = std::max(maxTouches_, numberOfTouches());
    if (maxTouches_ > touchesRequired_) setState(UIGestureRecognizerState::Failed);
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    const CGPoint p = locationInView(nullptr);
    if (std::hypot(p.x - start_.x, p.y - start_.y) > kSlop) setState(UIGestureRecognizerState::Failed);
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent&) {
    if (numberOfTouches() > 0) return;  // wait for the last finger
    const int taps = touches.empty() ? 1 : touches.front()->tapCount();
    if (maxTouches_ == touchesRequired_ && taps >= tapsRequired_) setState(UIGestureRecognizerState::Ended);
    else if (taps >= tapsRequired_) setState(UIGestureRecognizerState::Failed);
}

}  // namespace uikit
