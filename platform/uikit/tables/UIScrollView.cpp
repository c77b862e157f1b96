#include "platform/uikit/tables/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/events/UIPanGestureRecognizer.h"
#include "platform/uikit/views/UIClock.h"

namespace uikit {

UIScrollView::UIScrollView(const CGRect& frame)
    : UIView(frame), pan_(std::make_shared<UIPanGestureRecognizer>()), indicator_(std::make_shared<UIView>()) {
    setClipsToBounds(true);
    indicator_->setBackgroundColor(UISystemColor::scrollIndicator);
    indicator_->layer()->setCornerRadius(kIndicatorWidth / 2);
    indicator_->setUserInteractionEnabled(false);
    indicator_->setAlpha(0);
    addSubview(indicator_);
    // The view owns the recognizer, so the recognizer never outlives `this`.
    pan_->addTarget([this](UIGestureRecognizer& r) { handlePan(r); });
    addGestureRecognizer(pan_);
}

void UIScrollView::setContentSize(CGSize size) {
    contentSize_ = size;
    clampContentOffset();
}

void UIScrollView::setContentInset(const UIEdgeInsets& inset) {
    contentInset_ = inset;
    clampContentOffset();
}

CGPoint UIScrollView::minimumContentOffset() const { return {-contentInset_.left, -contentInset_.top}; }

CGPoint UIScrollView::maximumContentOffset() const {
    const CGPoint min = minimumContentOffset();
    const CGSize size = bounds().size;
    return {std::max(min.x, contentSize_.width + contentInset_.right - size.width),
            std::max(min.y, contentSize_.height + contentInset_.bottom - size.height)};
}

void UIScrollView::setContentOffset(CGPoint offset) {
    const CGPoint min = minimumContentOffset(), max = maximumContentOffset();
    offset = {std::clamp(offset.x, min.x, max.x), std::clamp(offset.y, min.y, max.y)};
    if (!CGPointIsFinite(offset) || offset == contentOffset()) return;
    CGRect b = bounds();
    b.origin = offset;
    setBounds(b);
    scrollViewDidScroll();
}

void UIScrollView::scrollRectToVisible(const CGRect& rect) {
    // What the insets cover is not shown.
    const CGRect b = bounds();
    auto along = [](double offset, double size, double before, double after, double start, double length) {
        const double shown = std::max(0.0, size - before - after);
        if (start < offset + before || length > shown) return start - before;
        if (start + length > offset + before + shown) return start + length - shown - before;
        return offset;
    };
    const UIEdgeInsets in = contentInset_;
    setContentOffset({along(b.origin.x, b.size.width, in.left, in.right, rect.origin.x, rect.size.width),
                      along(b.origin.y, b.size.height, in.top, in.bottom, rect.origin.y, rect.size.height)});
}

void UIScrollView::clampContentOffset() { setContentOffset(contentOffset()); }

bool UIScrollView::scrollWheel(CGPoint delta) {
    const CGPoint before = contentOffset();
    if (scrollEnabled_) setContentOffset({before.x + delta.x, before.y + delta.y});
    if (contentOffset() != before) {
        flashScrollIndicators();
        noteWheelStep(delta);
        return true;
    }
    // At an end the step goes on to an enclosing scroll view.
    return UIView::scrollWheel(delta);
}

void UIScrollView::stopCoasting() {
    ++wheelGeneration_;
    coasting_ = false;
}

void UIScrollView::noteWheelStep(CGPoint delta) {
    stopCoasting();
    const double now = UIClock::shared().now();
    std::erase_if(recentSteps_, [&](const WheelStep& s) { return now - s.time > kMomentumWindow; });
    recentSteps_.push_back({now, delta});
    const double span = now - recentSteps_.front().time;
    if (recentSteps_.size() < 2 || span <= 0) return;
    // The first step only starts the span: the speed is what came after it.
    CGPoint moved{0, 0};
    for (size_t i = 1; i < recentSteps_.size(); ++i)
        moved = {moved.x + recentSteps_[i].delta.x, moved.y + recentSteps_[i].delta.y};
    const CGPoint velocity{moved.x / span, moved.y / span};
    if (std::hypot(velocity.x, velocity.y) < kCoastingSpeed) return;
    std::weak_ptr<UIResponder> weak = weak_from_this();
    const unsigned long generation = wheelGeneration_;
    UIClock::shared().schedule(kCoastDelay, [weak, generation, velocity] {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self || self->wheelGeneration_ != generation) return;
        self->recentSteps_.clear();
        self->coasting_ = true;
        self->coast(velocity, UIClock::shared().now());
    });
}

void UIScrollView::coast(CGPoint velocity, double from) {
    std::weak_ptr<UIResponder> weak = weak_from_this();
    const unsigned long generation = wheelGeneration_;
    UIClock::shared().schedule(kCoastTick, [weak, generation, velocity, from] {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self || self->wheelGeneration_ != generation || !self->scrollEnabled_) return;
        const double now = UIClock::shared().now(), dt = now - from;
        const double keep = std::pow(kDecelerationPerSecond, dt);
        const CGPoint v{velocity.x * keep, velocity.y * keep};
        const CGPoint before = self->contentOffset();
        // What the page travels in dt while slowing from `velocity` to `v`.
        const double travelled = (keep - 1) / std::log(kDecelerationPerSecond);
        self->setContentOffset({before.x + velocity.x * travelled, before.y + velocity.y * travelled});
        if (self->contentOffset() == before || std::hypot(v.x, v.y) < kStoppedSpeed) {
            self->coasting_ = false;
            return;
        }
        self->flashScrollIndicators();
        self->coast(v, now);
    });
}

void UIScrollView::placeIndicator() {
    const CGRect b = bounds();
    const double top = b.origin.y + contentInset_.top + kIndicatorMargin;
    const double track = b.size.height - contentInset_.top - contentInset_.bottom - 2 * kIndicatorMargin;
    const double content = contentSize_.height + contentInset_.top + contentInset_.bottom;
    const double range = maximumContentOffset().y - minimumContentOffset().y;
    const double length = std::clamp(track * b.size.height / content, std::min(kIndicatorShortest, track), track);
    const double along = range > 0 ? (contentOffset().y - minimumContentOffset().y) / range : 0;
    indicator_->setFrame(CGRectMake(CGRectGetMaxX(b) - kIndicatorMargin - kIndicatorWidth, top + (track - length) * along,
                                    kIndicatorWidth, length));
}

void UIScrollView::flashScrollIndicators() {
    // Nothing to show where nothing scrolls.
    if (!(maximumContentOffset().y > minimumContentOffset().y) || bounds().size.height <= 2 * kIndicatorMargin) return;
    placeIndicator();
    bringSubviewToFront(indicator_.get());
    UIView* indicator = indicator_.get();
    indicator->layer()->removeAnimations();
    performWithoutAnimation([&] { indicator->setAlpha(1); });
    animateWithDuration(kIndicatorFade, kIndicatorLinger, [&] { indicator->setAlpha(0); });
}

void UIScrollView::handlePan(UIGestureRecognizer& recognizer) {
    auto& pan = static_cast<UIPanGestureRecognizer&>(recognizer);
    switch (pan.state()) {
    case UIGestureRecognizerState::Began:
        stopCoasting();
        dragging_ = scrollEnabled_;
        dragStartOffset_ = contentOffset();
        break;
    case UIGestureRecognizerState::Changed: {
        if (!dragging_) break;
        // Translation in window points: the bounds origin moves under the finger.
        const CGPoint t = pan.translationInView(superview());
        const CGPoint before = contentOffset();
        setContentOffset({dragStartOffset_.x - t.x, dragStartOffset_.y - t.y});
        if (contentOffset() != before) flashScrollIndicators();
        break;
    }
    default: dragging_ = false; break;
    }
}

}  // namespace uikit
