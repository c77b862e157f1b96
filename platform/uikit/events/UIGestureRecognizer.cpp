#include "platform/uikit/events/UIGestureRecognizer.h"

#include <algorithm>

#include "platform/uikit/views/UIView.h"

namespace uikit {

UIGestureRecognizer::UIGestureRecognizer(Action action) {
    if (action) actions_.push_back(std::move(action));
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && (state_ == UIGestureRecognizerState::Began || state_ == UIGestureRecognizerState::Changed))
        setState(UIGestureRecognizerState::Cancelled);
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const {
    CGPoint sum = lastLocation_;
    if (!touches_.empty()) {
        sum = {};
        for (const auto& t : touches_) sum.x += t->locationInWindow().x, sum.y += t->locationInWindow().y;
        sum.x /= double(touches_.size()), sum.y /= double(touches_.size());
    }
    return view ? view->convertPointFromView(sum, nullptr) : sum;
}

CGPoint UIGestureRecognizer::locationOfTouch(size_t index, const UIView* view) const {
    if (index >= touches_.size()) return locationInView(view);
    return touches_[index]->locationInView(view);
}

bool UIGestureRecognizer::isTracking(const UITouch* touch) const {
    return std::any_of(touches_.begin(), touches_.end(), [&](const UITouchPtr& t) { return t.get() == touch; });
}

bool UIGestureRecognizer::tookTouchesFromView() const {
    return cancelsTouchesInView_ &&
           (state_ == UIGestureRecognizerState::Began || state_ == UIGestureRecognizerState::Changed ||
            state_ == UIGestureRecognizerState::Ended);
}

bool UIGestureRecognizer::isFinished() const {
    return state_ == UIGestureRecognizerState::Ended || state_ == UIGestureRecognizerState::Cancelled ||
           state_ == UIGestureRecognizerState::Failed;
}

void UIGestureRecognizer::handleTouches(UITouchPhase phase, const UITouchSet& touches, const UIEvent& event) {
    if (!enabled_) return;
    if (phase == UITouchPhase::Began)
        for (const auto& t : touches)
            if (!isTracking(t.get())) touches_.push_back(t), gestureTouches_.push_back(t);
    if (isFinished() && phase != UITouchPhase::Ended && phase != UITouchPhase::Cancelled) return;
    // Lifted touches leave before the recognizer hears of them, so it counts only those still down.
    if (phase == UITouchPhase::Ended || phase == UITouchPhase::Cancelled) {
        if (!touches.empty()) lastLocation_ = locationInView(nullptr);
        touches_.erase(std::remove_if(touches_.begin(), touches_.end(),
                                      [&](const UITouchPtr& t) {
                                          return std::find(touches.begin(), touches.end(), t) != touches.end();
                                      }),
                       touches_.end());
        if (!touches_.empty()) lastLocation_ = locationInView(nullptr);
    }
    switch (phase) {
        case UITouchPhase::Began: touchesBegan(touches, event); break;
        case UITouchPhase::Moved:
        case UITouchPhase::Stationary: touchesMoved(touches, event); break;
        case UITouchPhase::Ended:
            if (!isFinished()) touchesEnded(touches, event);
            break;
        case UITouchPhase::Cancelled:
            if (!isFinished()) touchesCancelled(touches, event);
            break;
    }
}

void UIGestureRecognizer::resetIfFinished() {
    if (!touches_.empty()) return;
    gestureTouches_.clear();
    if (state_ == UIGestureRecognizerState::Possible) {
        reset();
        return;
    }
    if (!isFinished()) return;
    state_ = UIGestureRecognizerState::Possible;
    reset();
}

void UIGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent&) {}
void UIGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {}
void UIGestureRecognizer::touchesEnded(const UITouchSet&, const UIEvent&) {}
void UIGestureRecognizer::touchesCancelled(const UITouchSet&, const UIEvent&) {
    if (state_ == UIGestureRecognizerState::Began || state_ == UIGestureRecognizerState::Changed)
        setState(UIGestureRecognizerState::Cancelled);
    else
        setState(UIGestureRecognizerState::Failed);
}

bool UIGestureRecognizer::allowedToBegin() {
    if (shouldBegin_ && !shouldBegin_(*this)) return false;
    if (view_ && !view_->gestureRecognizerShouldBegin(*this)) return false;
    // A control under the touches keeps its taps from recognizers above it.
    for (const auto& t : gestureTouches_)
        if (auto hit = t->view())
            for (UIView* v = hit.get(); v && v != view_; v = v->superview())
                if (v->keepsGestureFromAncestor(*this)) return false;
    return true;
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    if (state_ == UIGestureRecognizerState::Possible &&
        (state == UIGestureRecognizerState::Began || state == UIGestureRecognizerState::Ended) && !allowedToBegin())
        state = UIGestureRecognizerState::Failed;
    state_ = state;
    if (state == UIGestureRecognizerState::Failed || state == UIGestureRecognizerState::Possible) return;
    auto keep = weak_from_this().lock();
    auto actions = actions_;
    for (auto& action : actions) action(*this);
}

}  // namespace uikit
