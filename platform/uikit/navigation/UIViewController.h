#pragma once
// A page: owns a view made on first use, hears when it comes on screen and
// leaves it, and carries what the navigation bar shows for it.

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

    UIResponder* nextResponder() const override;
    UIWindow* responderWindow() const override;

protected:
    // Makes the view; the base makes a plain white one of the screen's size.
    virtual void loadView();

private:
    friend class UINavigationController;

    UIViewPtr view_;
    std::string title_;
    std::shared_ptr<UINavigationItem> navigationItem_ = std::make_shared<UINavigationItem>();
    std::weak_ptr<UINavigationController> navigationController_;
};

using UIViewControllerPtr = std::shared_ptr<UIViewController>;

}  // namespace uikit
