#pragma once
// A view whose content is larger than itself: the content offset is the bounds
// origin, so subviews move by it and are clipped to the bounds. A drag or the
// mouse wheel scrolls; offsets stay within the content and its insets.

#include <memory>

#include "platform/uikit/views/UIView.h"

namespace uikit {

class UIPanGestureRecognizer;

class UIScrollView : public UIView {
public:
    explicit UIScrollView(const CGRect& frame = CGRectZero);

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    UIEdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(const UIEdgeInsets& inset);
    CGPoint contentOffset() const { return bounds().origin; }
    // Clamped to the scrollable range.
    void setContentOffset(CGPoint offset);
    // The smallest and largest offsets the content and insets allow.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    // Scrolls the least that shows `rect` (content coordinates), its top when it is taller than the view.
    void scrollRectToVisible(const CGRect& rect);

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool isDragging() const { return dragging_; }
    const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer() const { return pan_; }

    bool scrollWheel(CGPoint delta) override;

protected:
    // After every change of the content offset.
    virtual void scrollViewDidScroll() {}

private:
    void handlePan(UIGestureRecognizer& recognizer);
    void clampContentOffset();

    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
    CGPoint dragStartOffset_;
    bool scrollEnabled_ = true;
    bool dragging_ = false;
};

using UIScrollViewPtr = std::shared_ptr<UIScrollView>;

}  // namespace uikit
