// UIWindow's root page lives here, beside the controllers it needs to know.
#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
    if (controller == rootViewController_) return;
    auto old = std::move(rootViewController_);
    if (old) old->viewWillDisappear(false);
    rootViewController_ = std::move(controller);
    if (rootViewController_) {
        rootViewController_->view();  // loaded before it hears it appears
        rootViewController_->viewWillAppear(false);
    }
    if (old) {
        old->view()->removeFromSuperview();
        old->viewDidDisappear(false);
    }
    if (rootViewController_) {
        const auto& view = rootViewController_->view();
        view->setFrame(bounds());
        addSubview(view);
        rootViewController_->viewDidAppear(false);
    }
}

}  // namespace uikit
