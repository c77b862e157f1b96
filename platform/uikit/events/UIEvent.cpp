#include "platform/uikit/events/UIEvent.h"

#include "platform/uikit/views/UIView.h"

namespace uikit {

CGPoint UITouch::locationInView(const UIView* view) const {
    return view ? view->convertPointFromView(location_, nullptr) : location_;
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
    return view ? view->convertPointFromView(previous_, nullptr) : previous_;
}

void UITouch::update(UITouchPhase phase, CGPoint windowLocation, double timestamp) {
    previous_ = phase == UITouchPhase::Began ? windowLocation : location_;
    location_ = windowLocation;
    phase_ = phase;
    timestamp_ = timestamp;
}

}  // namespace uikit
