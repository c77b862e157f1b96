#include "platform/uikit/controls/UIControl.h"

#include <algorithm>

#include "platform/uikit/events/UITapGestureRecognizer.h"

namespace uikit {
namespace {

constexpr double kTrackingSlop = 70;  // points around the bounds that still count as inside

}  // namespace

UIControl::UIControl(const CGRect& frame) : UIView(frame) { setOpaque(false); }

int UIControl::addTarget(Action action, unsigned controlEvents) {
    const int token = nextToken_++;
    targets_.push_back({token, controlEvents, std::move(action)});
    return token;
}

void UIControl::removeTarget(int token) {
    targets_.erase(std::remove_if(targets_.begin(), targets_.end(), [&](const Target& t) { return t.token == token; }),
                   targets_.end());
}

void UIControl::sendActionsForControlEvents(unsigned controlEvents) {
    auto keep = weak_from_this().lock();
    // Copied: an action may add or remove targets.
    const auto targets = targets_;
    for (const auto& t : targets)
        if (t.events & controlEvents) t.action(*this);
}

void UIControl::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    stateDidChange();
}
void UIControl::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    stateDidChange();
}
void UIControl::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    stateDidChange();
}

unsigned UIControl::state() const {
    unsigned s = UIControlStateNormal;
    if (highlighted_) s |= UIControlStateHighlighted;
    if (!enabled_) s |= UIControlStateDisabled;
    if (selected_) s |= UIControlStateSelected;
    return s;
}

bool UIControl::isInsideForTracking(CGPoint p) const {
    return CGRectContainsPoint(CGRectInset(bounds(), -kTrackingSlop, -kTrackingSlop), p);
}

bool UIControl::keepsGestureFromAncestor(const UIGestureRecognizer& recognizer) const {
    return dynamic_cast<const UITapGestureRecognizer*>(&recognizer) != nullptr;
}

bool UIControl::beginTrackingWithTouch(const UITouch&, const UIEvent&) { return true; }
bool UIControl::continueTrackingWithTouch(const UITouch&, const UIEvent&) { return true; }
void UIControl::endTrackingWithTouch(const UITouch*, const UIEvent*) {}
void UIControl::cancelTrackingWithEvent(const UIEvent*) {}

void UIControl::touchesBegan(const UITouchSet& touches, const UIEvent& event) {
    if (!enabled_ || touches.empty()) return;
    auto keep = weak_from_this().lock();
    touchInside_ = true;
    tracking_ = beginTrackingWithTouch(*touches.front(), event);
    setHighlighted(true);
    sendActionsForControlEvents(touches.front()->tapCount() > 1 ? UIControlEventTouchDown | UIControlEventTouchDownRepeat
                                                                : UIControlEventTouchDown);
}

void UIControl::touchesMoved(const UITouchSet& touches, const UIEvent& event) {
    if (!enabled_ || touches.empty()) return;
    auto keep = weak_from_this().lock();
    const bool wasInside = touchInside_;
    touchInside_ = isInsideForTracking(touches.front()->locationInView(this));
    setHighlighted(touchInside_);
    if (tracking_) tracking_ = continueTrackingWithTouch(*touches.front(), event);
    unsigned events = touchInside_ ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (wasInside != touchInside_) events |= touchInside_ ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    sendActionsForControlEvents(events);
}

void UIControl::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (!enabled_ || touches.empty()) return;
    auto keep = weak_from_this().lock();
    touchInside_ = isInsideForTracking(touches.front()->locationInView(this));
    setHighlighted(false);
    if (tracking_) endTrackingWithTouch(touches.front().get(), &event);
    tracking_ = false;
    sendActionsForControlEvents(touchInside_ ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside);
    touchInside_ = false;
}

void UIControl::touchesCancelled(const UITouchSet&, const UIEvent& event) {
    auto keep = weak_from_this().lock();
    setHighlighted(false);
    if (tracking_) cancelTrackingWithEvent(&event);
    tracking_ = false;
    touchInside_ = false;
    sendActionsForControlEvents(UIControlEventTouchCancel);
}

}  // namespace uikit
