#pragma once
// A view whose content is larger than itself: the content offset is the bounds
// origin, so subviews move by it and are clipped to the bounds. A drag or the
// mouse wheel scrolls; offsets stay within the content and its insets. While a
// person scrolls, a thin indicator at the right edge shows where the visible
// part lies in the content; it fades out once the scrolling stops. Quick wheel
// or touchpad scrolling goes on a little after the last step, slowing as a
// flicked page on the phone does, until a touch or the next step.

#include <memory>
#include <vector>

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

    // Shows the indicator where the offset is now, and fades it out after
    // kIndicatorLinger; what scrolls for a person calls it (drags, the wheel, keys).
    void flashScrollIndicators();
    static constexpr double kIndicatorLinger = 0.25, kIndicatorFade = 0.2;
    static constexpr double kIndicatorWidth = 2.5, kIndicatorMargin = 3, kIndicatorShortest = 36;
    // The indicator itself, for tests: transparent while not shown.
    UIView* scrollIndicator() const { return indicator_.get(); }

    // Steps of the last kMomentumWindow give the speed; a page left faster than
    // kCoastingSpeed (points a second) coasts once no step came for kCoastDelay,
    // losing speed by kDecelerationPerSecond.
    static constexpr double kMomentumWindow = 0.1, kCoastDelay = 0.05, kCoastingSpeed = 300;
    static constexpr double kDecelerationPerSecond = 0.135, kCoastTick = 1.0 / 60, kStoppedSpeed = 15;
    bool isCoasting() const { return coasting_; }
    void stopCoasting();

protected:
    // After every change of the content offset.
    virtual void scrollViewDidScroll() {}

private:
    void handlePan(UIGestureRecognizer& recognizer);
    void clampContentOffset();
    void placeIndicator();
    void noteWheelStep(CGPoint delta);
    void coast(CGPoint velocity, double from);

    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
    UIViewPtr indicator_;
    struct WheelStep {
        double time;
        CGPoint delta;
    };
    std::vector<WheelStep> recentSteps_;
    unsigned long wheelGeneration_ = 0;  // a newer step or a touch ends what an older one started
    bool coasting_ = false;
    CGPoint dragStartOffset_;
    bool scrollEnabled_ = true;
    bool dragging_ = false;
};

using UIScrollViewPtr = std::shared_ptr<UIScrollView>;

}  // namespace uikit
