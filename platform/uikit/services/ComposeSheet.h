#pragma once
// A compose sheet: a white panel over the dimmed window with a bar holding
// "Cancel", a title and an action button, presented as an overlay (never a
// page change). Escape cancels the sheet on top; Tab, and Return in a
// one-line field, move between its fields. Cancelling or acting reports first, then the sheet goes away,
// whether or not whoever was told took it down.

#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/navigation/UIViewController.h"

namespace uikit {

class ComposeSheet : public UIViewController {
public:
    ~ComposeSheet() override;

    // As taps on the bar's buttons; the action does nothing while disabled.
    void cancel();
    void performAction();

    bool isPresented() const { return presentingViewController() != nullptr; }
    const std::string& sheetTitle() const { return title_; }
    bool isActionEnabled() const { return actionEnabled_; }
    // The bar's buttons (the view is loaded for them).
    const UIButtonPtr& cancelButton() { return view(), cancelButton_; }
    const UIButtonPtr& actionButton() { return view(), actionButton_; }

    // The sheet keys go to: the last presented one still up.
    static std::shared_ptr<ComposeSheet> topSheet();

    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

protected:
    ComposeSheet(std::string title, std::string actionTitle);

    void loadView() override;
    void setSheetTitle(const std::string& title);
    void setActionEnabled(bool enabled);

    // The panel's content below the bar, built once with the view.
    virtual void buildContent(UIView& content) = 0;
    // Lays out the content in its own bounds.
    virtual void layoutContent(const CGRect& bounds) = 0;
    // Height the content would like for `width`; the panel keeps within the window.
    virtual double preferredContentHeight(double width) const = 0;
    // The fields Tab cycles through, and the one focused when the sheet appears.
    virtual std::vector<UIResponder*> fields() const = 0;
    virtual UIResponder* initialField() const {
        const auto all = fields();
        return all.empty() ? nullptr : all.front();
    }
    // Tell whoever waits what happened; the sheet is taken down after.
    virtual void didCancel() = 0;
    virtual void didPerformAction() = 0;

private:
    friend class ComposeSheetView;
    void layoutSheet(const CGRect& bounds);
    bool routeKey(UIKey key, unsigned modifiers);
    bool routeText(const std::string& text);
    void focusNextField();
    void finish(bool action);

    std::string title_, actionTitle_;
    bool actionEnabled_ = true;
    bool finishing_ = false;
    bool routing_ = false;
    std::weak_ptr<UIWindow> window_;
    UIViewPtr panel_, bar_, content_;
    std::shared_ptr<UILabel> titleLabel_;
    UIButtonPtr cancelButton_, actionButton_;
};

using ComposeSheetPtr = std::shared_ptr<ComposeSheet>;

}  // namespace uikit
