#include "platform/uikit/navigation/UINavigationController.h"

namespace uikit {
namespace {

// How far the page underneath moves, as a share of the width, while the other slides over it.
constexpr double kUnderneathShift = 0.3;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

}  // namespace

std::shared_ptr<UINavigationController> UINavigationController::withRootViewController(
    const UIViewControllerPtr& root) {
    auto controller = std::make_shared<UINavigationController>();
    if (root) controller->pushViewController(root, false);
    return controller;
}

void UINavigationController::loadView() {
    auto view = std::make_shared<UIView>(UIScreen::mainScreen().bounds());
    view->setBackgroundColor(UISystemColor::systemBackground);
    view->setAutoresizingMask(kFlexibleSize);
    const double width = view->bounds().size.width;
    const double top = UINavigationBar::kStatusHeight + UINavigationBar::kHeight;
    content_ = std::make_shared<UIView>(CGRectMake(0, top, width, view->bounds().size.height - top));
    content_->setAutoresizingMask(kFlexibleSize);
    content_->setClipsToBounds(true);
    bar_->setFrame(CGRectMake(0, UINavigationBar::kStatusHeight, width, UINavigationBar::kHeight));
    bar_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    view->addSubview(content_);
    view->addSubview(bar_);
    auto weak = std::weak_ptr<UIResponder>(weak_from_this());
    bar_->setBackAction([weak] {
        if (auto self = std::static_pointer_cast<UINavigationController>(weak.lock())) {
            if (!self->isTransitioning()) self->popViewControllerAnimated(true);
        }
    });
    setView(view);
    if (auto top = topViewController()) placeInContent(top);
}

void UINavigationController::placeInContent(const UIViewControllerPtr& controller) {
    const auto& page = controller->view();
    page->setTransform(CGAffineTransformIdentity);
    page->setFrame(content_->bounds());
    page->setAutoresizingMask(kFlexibleSize);
    content_->addSubview(page);
}

void UINavigationController::pushViewController(const UIViewControllerPtr& controller, bool animated) {
    if (!controller || controller.get() == this) return;
    for (const auto& c : stack_)
        if (c == controller) return;  // already in the stack: pushing it again would show it twice
    const auto from = topViewController();
    controller->navigationController_ = std::static_pointer_cast<UINavigationController>(shared_from_this());
    stack_.push_back(controller);
    bar_->pushNavigationItem(controller->navigationItem());
    transition(from, controller, Direction::Push, animated && from != nullptr);
}

UIViewControllerPtr UINavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) return nullptr;
    auto popped = stack_.back();
    stack_.pop_back();
    bar_->popNavigationItem();
    transition(popped, stack_.back(), Direction::Pop, animated);
    return popped;
}

void UINavigationController::transition(const UIViewControllerPtr& from, const UIViewControllerPtr& to,
                                        Direction direction, bool animated) {
    if (!isViewLoaded()) {
        if (direction == Direction::Pop) from->navigationController_.reset();
        return;
    }
    const bool appearing = onScreen_;
    if (appearing && from) from->viewWillDisappear(animated);
    to->view();
    if (appearing) to->viewWillAppear(animated);
    placeInContent(to);
    if (direction == Direction::Pop && from) content_->bringSubviewToFront(from->view().get());

    auto finish = [from, to, direction, appearing, animated,
                   weak = std::weak_ptr<UIResponder>(weak_from_this())](bool) {
        auto self = std::static_pointer_cast<UINavigationController>(weak.lock());
        if (from) {
            from->view()->setTransform(CGAffineTransformIdentity);
            // A page pushed again meanwhile stays shown.
            if (!self || self->topViewController() != from) from->view()->removeFromSuperview();
            if (direction == Direction::Pop && (!self || !std::count(self->stack_.begin(), self->stack_.end(), from)))
                from->navigationController_.reset();
        }
        to->view()->setTransform(CGAffineTransformIdentity);
        if (appearing && from) from->viewDidDisappear(animated);
        if (appearing) to->viewDidAppear(animated);
        if (self) --self->transitions_;
    };
    ++transitions_;
    if (!animated || !from) {
        finish(true);
        return;
    }
    const double width = content_->bounds().size.width;
    const double sign = direction == Direction::Push ? 1 : -1;
    const auto& arriving = to->view();
    const auto& leaving = from->view();
    if (direction == Direction::Push) {
        UIView::performWithoutAnimation([&] { arriving->setTransform(CGAffineTransformMakeTranslation(width, 0)); });
        UIView::animateWithDuration(kTransitionSeconds, [&] {
            arriving->setTransform(CGAffineTransformIdentity);
            leaving->setTransform(CGAffineTransformMakeTranslation(-sign * kUnderneathShift * width, 0));
        }, finish);
    } else {
        UIView::performWithoutAnimation(
            [&] { arriving->setTransform(CGAffineTransformMakeTranslation(-kUnderneathShift * width, 0)); });
        UIView::animateWithDuration(kTransitionSeconds, [&] {
            arriving->setTransform(CGAffineTransformIdentity);
            leaving->setTransform(CGAffineTransformMakeTranslation(width, 0));
        }, finish);
    }
}

void UINavigationController::viewWillAppear(bool animated) {
    onScreen_ = true;
    if (auto top = topViewController()) top->viewWillAppear(animated);
}

void UINavigationController::viewDidAppear(bool animated) {
    if (auto top = topViewController()) top->viewDidAppear(animated);
}

void UINavigationController::viewWillDisappear(bool animated) {
    if (auto top = topViewController()) top->viewWillDisappear(animated);
}

void UINavigationController::viewDidDisappear(bool animated) {
    onScreen_ = false;
    if (auto top = topViewController()) top->viewDidDisappear(animated);
}

void UINavigationController::didRotateFromInterfaceOrientation(UIInterfaceOrientation from) {
    if (auto top = topViewController()) top->didRotateFromInterfaceOrientation(from);
}

}  // namespace uikit
