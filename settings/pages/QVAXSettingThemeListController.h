#pragma once
// The list of installed themes for the primary theme, each row showing the
// battery drawn by that theme with the current settings. Choosing a row stores
// the name through the opening row's setter, then announces the change once.

#include "platform/uikit/alerts/UIAlertView.h"
#include "settings/toolkit/SKListItemsController.h"

class QVAXSettingThemeListController : public SKListItemsController, public uikit::UIAlertViewDelegate {
public:
    QVAXSettingThemeListController();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<graphics::Color> navigationTintColor() const override;

    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                    const uikit::NSIndexPath& indexPath) override;
    // Previews are drawn for rows near view and dropped for rows far from it.
    void willDisplayCell(uikit::UITableView& tableView, uikit::UITableViewCell& cell,
                         const uikit::NSIndexPath& indexPath) override;
    void didEndDisplayingCell(uikit::UITableView& tableView, uikit::UITableViewCell& cell,
                              const uikit::NSIndexPath& indexPath) override;
    std::optional<double> heightForRowAtIndexPath(uikit::UITableView& tableView,
                                                  const uikit::NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) override;
    void setPreferenceValue(preferences::PreferenceValue value, const preferences::PSSpecifierPtr& row) override;

    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    const uikit::UIImagePtr& rowImage() const { return im_; }

protected:
    void loadView() override;

private:
    uikit::UIImagePtr im_;  // clear, the preview's size: keeps the row text right of the preview
    bool stored_ = false;   // the last choice is what the opening row now reads
};
