#pragma once
// The saved profiles, each row showing the battery drawn with that profile and
// whether it holds everything ("All") or only colors. The Save button saves
// the current settings under a new name; tapping a row restores it (after
// keeping the settings as "Most Recent"); swiping a later row deletes it.
// Every action takes the name the row shows.

#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/alerts/UIAlertView.h"
#include "settings/toolkit/SKListItemsController.h"

class QVAXSettingProfileListController : public SKListItemsController, public uikit::UIAlertViewDelegate {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<graphics::Color> navigationTintColor() const override;

    // The profile names, through the main page while one lives, else straight from the Profiles folder.
    void loadProfiles();
    const std::vector<std::string>& profiles() const { return profiles_; }
    // Leading rows that cannot be deleted: "Default", and "Most Recent" when listed.
    int undeletable() const { return undeletable_; }

    std::vector<preferences::PSSpecifierPtr>& specifiers() override;
    void reload() override;

    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                    const uikit::NSIndexPath& indexPath) override;
    std::optional<double> heightForRowAtIndexPath(uikit::UITableView& tableView,
                                                  const uikit::NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) override;
    std::optional<uikit::UITableViewCellEditingStyle> editingStyleForRowAtIndexPath(
        uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) override;
    void commitEditingStyle(uikit::UITableView& tableView, uikit::UITableViewCellEditingStyle style,
                            const uikit::NSIndexPath& indexPath) override;
    // Choosing a row never writes a setting.
    void setPreferenceValue(preferences::PreferenceValue, const preferences::PSSpecifierPtr&) override {}

    void saveTapped();
    // `nameTaken`: the last name could not be used, so the alert says so.
    void displaySaveNameAlert(bool nameTaken);
    void alertViewClickedButtonAtIndex(uikit::UIAlertView& alert, long index) override;
    void alertViewDidDismissWithButtonIndex(uikit::UIAlertView& alert, long index) override;

    void viewDidAppear(bool animated) override;

    // The profile name a row shows; nullopt for no such row.
    std::optional<std::string> profileNameAt(const uikit::NSIndexPath& indexPath);

protected:
    void loadView() override;

private:
    bool isDeletable(const uikit::NSIndexPath& indexPath);
    void reloadBothPages();
    std::shared_ptr<uikit::UIAlertView> makeAlert(const std::string& title, const std::string& message,
                                                  const std::vector<std::string>& buttons);

    uikit::UIImagePtr im_;
    std::shared_ptr<uikit::UIAlertView> saveNameAlert_, saveTypeAlert_, restoreAlert_;
    foundation::PlistDictionary pendingProfileSave_;
    foundation::PlistDictionary pendingProfileRestore_;
    std::vector<std::string> profiles_;
    int undeletable_ = 1;
};
