#include "platform/uikit/navigation/UIViewController.h"

#include "platform/uikit/navigation/UINavigationController.h"

namespace uikit {

UIViewController::UIViewController() = default;

UIViewController::~UIViewController() {
    if (view_) view_->setViewController({});
    // A sheet must not outlive the page that showed it.
    if (presented_ && presented_->view_) presented_->view_->removeFromSuperview();
}

const UIViewPtr& UIViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) setView(std::make_shared<UIView>(UIScreen::mainScreen().bounds()));
        viewDidLoad();
    }
    return view_;
}

void UIViewController::setView(UIViewPtr view) {
    if (view_) view_->setViewController({});
    view_ = std::move(view);
    if (view_) view_->setViewController(weak_from_this());
}

void UIViewController::loadView() {
    auto view = std::make_shared<UIView>(UIScreen::mainScreen().bounds());
    view->setBackgroundColor(UISystemColor::systemBackground);
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(view);
}

void UIViewController::setTitle(const std::string& title) {
    title_ = title;
    navigationItem_->setTitle(title);
}

UIResponder* UIViewController::nextResponder() const { return view_ ? view_->superview() : nullptr; }

UIWindow* UIViewController::responderWindow() const { return view_ ? view_->window() : nullptr; }

}  // namespace uikit
