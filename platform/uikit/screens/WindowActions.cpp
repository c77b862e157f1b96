#include "platform/uikit/screens/WindowActions.h"

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {

UINavigationControllerPtr navigationControllerOf(const UIWindow& window) {
    return std::dynamic_pointer_cast<UINavigationController>(window.rootViewController());
}

void rotateWindow(UIWindow& window) {
    UIScreen& screen = UIScreen::mainScreen();
    const UIInterfaceOrientation from = screen.orientation();
    screen.setOrientation(screen.isLandscape() ? UIInterfaceOrientation::Portrait
                                               : UIInterfaceOrientation::LandscapeLeft);
    const CGRect frame = window.frame();
    window.setFrame(CGRectMake(frame.origin.x, frame.origin.y, frame.size.height, frame.size.width));
    window.layoutIfNeeded();
    if (auto root = window.rootViewController()) root->didRotateFromInterfaceOrientation(from);
}

bool goBack(UIWindow& window) {
    auto nav = navigationControllerOf(window);
    if (!nav || nav->isTransitioning() || nav->viewControllers().size() < 2) return false;
    return nav->popViewControllerAnimated(true) != nullptr;
}

void pressEscape(UIWindow& window) {
    // A showing alert takes every key, so Escape reaches it as its cancel.
    if (UIAlertView::visibleAlert() || !goBack(window))
        window.sendEvent(UIEvent::key(UIKey::Escape, UIClock::shared().now()));
}

}  // namespace uikit
