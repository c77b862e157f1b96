#pragma once
// A stack of pages under one navigation bar. Pushes and pops slide over
// kTransitionSeconds of the UI clock. Appearance is told in the phone's order:
// the leaving page's viewWillDisappear, then the arriving page's
// viewWillAppear; both "did" callbacks once the slide has finished.

#include <algorithm>
#include <vector>

#include "platform/uikit/navigation/UINavigationBar.h"
#include "platform/uikit/navigation/UIViewController.h"

namespace uikit {

class UINavigationController : public UIViewController {
public:
    static constexpr double kTransitionSeconds = 0.35;

    static std::shared_ptr<UINavigationController> withRootViewController(const UIViewControllerPtr& root);

    const std::vector<UIViewControllerPtr>& viewControllers() const { return stack_; }
    UIViewControllerPtr topViewController() const { return stack_.empty() ? nullptr : stack_.back(); }
    const UINavigationBarPtr& navigationBar() const { return bar_; }
    bool isTransitioning() const { return transitions_ > 0; }

    void pushViewController(const UIViewControllerPtr& controller, bool animated);
    // The page taken off; nullptr when only the root is left.
    UIViewControllerPtr popViewControllerAnimated(bool animated);

    // Forwarded to the top page while the stack itself comes and goes.
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    void didRotateFromInterfaceOrientation(UIInterfaceOrientation from) override;

protected:
    void loadView() override;

private:
    enum class Direction { Push, Pop };
    void transition(const UIViewControllerPtr& from, const UIViewControllerPtr& to, Direction direction,
                    bool animated);
    void placeInContent(const UIViewControllerPtr& controller);

    std::vector<UIViewControllerPtr> stack_;
    UINavigationBarPtr bar_ = std::make_shared<UINavigationBar>();
    UIViewPtr content_;
    bool onScreen_ = false;
    int transitions_ = 0;
};

using UINavigationControllerPtr = std::shared_ptr<UINavigationController>;

}  // namespace uikit
