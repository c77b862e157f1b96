#pragma once
// A page: owns a view made on first use, hears when it comes on screen and
// leaves it, and carries what the navigation bar shows for it.

#include <functional>
#include <memory>
#include <string>

#include "platform/uikit/navigation/UINavigationItem.h"
#include "platform/uikit/views/UIScreen.h"
#include "platform/uikit/views/UIView.h"

namespace uikit {

class UINavigationController;

class UIViewController : public UIResponder {
public:
    UIViewController();
    ~UIViewController() override;

    // Loads the view (loadView, then viewDidLoad) the first time it is asked for.
    const UIViewPtr& view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(UIViewPtr view);

    const std::string& title() const { return title_; }
    // Also the navigation item's title.
    void setTitle(const std::string& title);
    const std::shared_ptr<UINavigationItem>& navigationItem() const { return navigationItem_; }
    std::shared_ptr<UINavigationController> navigationController() const { return navigationController_.lock(); }

    // Appearance, in the order a container sends them.
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    virtual void didRotateFromInterfaceOrientation(UIInterfaceOrientation) {}

    // Shows `controller`'s view over this page's window (the key window when this
    // page is off screen) as an overlay, the way sheets are shown: this page
    // hears no appearance callbacks, the presented one hears its own. Refused,
    // and logged, while this page presents another or with no window to show in.
    void presentViewController(const std::shared_ptr<UIViewController>& controller, bool animated,
                               std::function<void()> completion = {});
    // Takes down what this page presents; asked of a presented page, takes down that page.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    std::shared_ptr<UIViewController> presentedViewController() const { return presented_; }
    std::shared_ptr<UIViewController> presentingViewController() const { return presenting_.lock(); }

    UIResponder* nextResponder() const override;
    UIWindow* responderWindow() const override;

protected:
    // Makes the view; the base makes a plain white one of the screen's size.
    virtual void loadView();
    // Asked just before this page is presented; false shows nothing (the page says why).
    virtual bool canBePresented() { return true; }

private:
    friend class UINavigationController;

    UIViewPtr view_;
    std::string title_;
    std::shared_ptr<UINavigationItem> navigationItem_ = std::make_shared<UINavigationItem>();
    std::weak_ptr<UINavigationController> navigationController_;
    std::shared_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
};

using UIViewControllerPtr = std::shared_ptr<UIViewController>;

}  // namespace uikit
