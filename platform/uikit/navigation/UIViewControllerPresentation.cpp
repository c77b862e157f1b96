// Presenting a page as an overlay of the window (sheets), beside the
// controllers it needs to know.
#include "platform/foundation/Log.h"
#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {

void UIViewController::presentViewController(const std::shared_ptr<UIViewController>& controller, bool animated,
                                             std::function<void()> completion) {
    if (!controller || controller.get() == this) {
        foundation::logLine("uikit: nothing to present");
        return;
    }
    if (presented_) {
        foundation::logLine("uikit: a page that already presents another cannot present a second");
        return;
    }
    if (controller->presenting_.lock()) {
        foundation::logLine("uikit: that page is already presented");
        return;
    }
    UIWindowPtr window;
    if (view_ && view_->window()) window = std::static_pointer_cast<UIWindow>(view_->window()->weak_from_this().lock());
    if (!window) window = UIWindow::keyWindow();
    if (!window) {
        foundation::logLine("uikit: no window to present a page in");
        return;
    }
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    if (!controller->canBePresented()) return;
    presented_ = controller;
    controller->presenting_ = self;
    const UIViewPtr& view = controller->view();
    view->setFrame(window->bounds());
    controller->viewWillAppear(animated);
    window->addOverlay(view);
    controller->viewDidAppear(animated);
    if (completion) completion();
}

void UIViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion) {
    if (!presented_) {
        if (auto presenter = presenting_.lock()) presenter->dismissViewControllerAnimated(animated, std::move(completion));
        return;
    }
    auto keepSelf = shared_from_this();
    auto controller = std::move(presented_);
    presented_.reset();
    controller->presenting_.reset();
    // Whatever it presents goes with it.
    if (controller->presented_) controller->dismissViewControllerAnimated(false);
    controller->viewWillDisappear(animated);
    if (controller->view_) controller->view_->removeFromSuperview();
    controller->viewDidDisappear(animated);
    if (completion) completion();
}

}  // namespace uikit
