#include "platform/uikit/tables/UIScrollView.h"

#include <algorithm>

#include "platform/uikit/events/UIPanGestureRecognizer.h"

namespace uikit {

UIScrollView::UIScrollView(const CGRect& frame) : UIView(frame), pan_(std::make_shared<UIPanGestureRecognizer>()) {
    setClipsToBounds(true);
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
    // At an end the step goes on to an enclosing scroll view.
    return contentOffset() != before || UIView::scrollWheel(delta);
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
        setContentOffset({dragStartOffset_.x - t.x, dragStartOffset_.y - t.y});
        break;
    }
    default: dragging_ = false; break;
    }
}

}  // namespace uikit
