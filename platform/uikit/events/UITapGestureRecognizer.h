#pragma once
// Recognizes a tap: the touches go down and come up without moving far.

#include "platform/uikit/events/UIGestureRecognizer.h"

namespace uikit {

class UITapGestureRecognizer : public UIGestureRecognizer {
public:
    using UIGestureRecognizer::UIGestureRecognizer;

    int numberOfTapsRequired() const { return tapsRequired_; }
    void setNumberOfTapsRequired(int taps) { tapsRequired_ = taps > 0 ? taps : 1; }
    size_t numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(size_t touches) { touchesRequired_ = touches > 0 ? touches : 1; }

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void reset() override { maxTouches_ = 0; }

private:
    int tapsRequired_ = 1;
    size_t touchesRequired_ = 1;
    size_t maxTouches_ = 0;
    CGPoint start_;
};

}  // namespace uikit
