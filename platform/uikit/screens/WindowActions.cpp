#include "platform/uikit/screens/WindowActions.h"

#include <algorithm>

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {

UINavigationControllerPtr navigationControllerOf(const UIWindow& window) {
    return std::dynamic_pointer_cast<UINavigationController>(window.rootViewController());
}

void rotateWindow(UIWindow& window) {
    const CGSize size = window.frame().size;
    resizeWindow(window, {size.height, size.width});
}

void resizeWindow(UIWindow& window, CGSize points) {
    if (!(points.width > 0) || !(points.height > 0) || !CGPointIsFinite({points.width, points.height})) return;
    UIScreen& screen = UIScreen::mainScreen();
    const UIInterfaceOrientation from = screen.orientation();
    const bool landscape = points.width > points.height;
    screen.setPortraitSize({std::min(points.width, points.height), std::max(points.width, points.height)});
    screen.setOrientation(landscape ? UIInterfaceOrientation::LandscapeLeft : UIInterfaceOrientation::Portrait);
    const CGRect frame = window.frame();
    window.setFrame(CGRectMake(frame.origin.x, frame.origin.y, points.width, points.height));
    window.layoutIfNeeded();
    if (screen.isLandscape() != (from == UIInterfaceOrientation::LandscapeLeft || from == UIInterfaceOrientation::LandscapeRight))
        if (auto root = window.rootViewController()) root->didRotateFromInterfaceOrientation(from);
}

std::string shownPageTitle(const UIWindow& window) {
    UIViewControllerPtr page = window.rootViewController();
    if (auto nav = navigationControllerOf(window))
        if (auto top = nav->topViewController()) page = top;
    return page ? page->title() : std::string();
}

bool goBack(UIWindow& window) {
    auto nav = navigationControllerOf(window);
    if (!nav || nav->isTransitioning() || nav->viewControllers().size() < 2) return false;
    return nav->popViewControllerAnimated(true) != nullptr;
}

void pressEscape(UIWindow& window) {
    // An alert or sheet takes every key, so Escape reaches it as its cancel.
    if (window.modalOverlay() || UIAlertView::visibleAlert() || !goBack(window))
        window.sendEvent(UIEvent::key(UIKey::Escape, UIClock::shared().now()));
}

}  // namespace uikit
