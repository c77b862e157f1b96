#include "platform/uikit/tables/UIScrollView.h"

#include <algorithm>

#include "platform/uikit/events/UIPanGestureRecognizer.h"

namespace uikit {

UIScrollView::UIScrollView(const CGRect& frame)
    : UIView(frame), pan_(std::make_shared<UIPanGestureRecognizer>()), indicator_(std::make_shared<UIView>()) {
    setClipsToBounds(true);
    indicator_->setBackgroundColor(UIColor::grey(0, 0.35));
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
        return true;
    }
    // At an end the step goes on to an enclosing scroll view.
    return UIView::scrollWheel(delta);
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
