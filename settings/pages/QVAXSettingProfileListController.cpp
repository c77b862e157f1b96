#include "settings/pages/QVAXSettingProfileListController.h"

#include <algorithm>

#include "common/SettingsNotification.h"
#include "platform/foundation/Log.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/uikit/controls/UIBarButtonItem.h"
#include "platform/uikit/navigation/UINavigationItem.h"
#include "settings/model/ProfileLibrary.h"
#include "settings/model/Profiles.h"
#include "settings/pages/FirstVisitNotice.h"
#include "settings/pages/NotSavedAlert.h"
#include "settings/pages/PreviewRow.h"
#include "settings/pages/QVAXSettingsMainController.h"

using preferences::PSSpecifierPtr;
using uikit::NSIndexPath;
using uikit::UIAlertView;

runtime::Class* QVAXSettingProfileListController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVAXSettingProfileListController>(
        "QVAXSettingProfileListController", SKListItemsController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVAXSettingProfileListController::staticClass(), true);

bool isReserved(const std::string& name) {
    return name == ProfileLibrary::kDefaultProfile || name == ProfileLibrary::kMostRecentProfile;
}
}  // namespace

std::optional<graphics::Color> QVAXSettingProfileListController::navigationTintColor() const {
    return QVAXSettingsController::kPaneColor;
}

void QVAXSettingProfileListController::loadProfiles() {
    undeletable_ = 1;
    profiles_.clear();
    if (auto main = QVAXSettingsMainController::mainPage()) {
        for (const auto& name : main->loadProfiles(nullptr))
            if (name.asString()) profiles_.push_back(*name.asString());
    } else {
        profiles_ = ProfileLibrary::loadProfiles();
    }
    if (std::find(profiles_.begin(), profiles_.end(), ProfileLibrary::kMostRecentProfile) != profiles_.end())
        ++undeletable_;
}

std::vector<PSSpecifierPtr>& QVAXSettingProfileListController::specifiers() {
    (void)kRegistered;
    if (!specifiers_.empty()) return specifiers_;
    // One listing makes the rows; every action reads the name back from its row.
    loadProfiles();
    specifiers_.push_back(preferences::PSSpecifier::emptyGroupSpecifier());
    for (const auto& name : profiles_) specifiers_.push_back(itemFor(name, foundation::PlistValue(name), selfObject()));
    return specifiers_;
}

void QVAXSettingProfileListController::reload() { reloadSpecifiers(); }

void QVAXSettingProfileListController::loadView() {
    SKListItemsController::loadView();
    im_ = PreviewRow::imageWithColor(uikit::colors::clearColor, PreviewRow::kPreviewSize);
    auto save = std::make_shared<uikit::UIBarButtonItem>("Save", uikit::UIBarButtonItemStyle::Plain);
    std::weak_ptr<QVAXSettingProfileListController> weak =
        std::static_pointer_cast<QVAXSettingProfileListController>(selfController());
    save->setAction([weak](uikit::UIBarButtonItem&) {
        if (auto page = weak.lock()) page->saveTapped();
    });
    navigationItem()->setRightBarButtonItem(save);
}

std::optional<std::string> QVAXSettingProfileListController::profileNameAt(const NSIndexPath& indexPath) {
    const auto value = valueOfItem(specifierAtIndexPath(indexPath));
    return value && value->asString() ? std::optional(*value->asString()) : std::nullopt;
}

uikit::UITableViewCellPtr QVAXSettingProfileListController::cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                                                  const NSIndexPath& indexPath) {
    auto cell = SKListItemsController::cellForRowAtIndexPath(tableView, indexPath);
    const auto name = profileNameAt(indexPath);
    if (!cell || !name) return cell;
    cell->imageView()->setImage(im_);
    // An unreadable profile reads as an empty color profile.
    const foundation::PlistDictionary profile = ProfileLibrary::readProfile(*name).value_or(foundation::PlistDictionary{});
    if (cell->detailTextLabel())
        cell->detailTextLabel()->setText(ProfileLibrary::isCompleteProfile(profile) ? "All" : "Colors");
    PreviewRow::show(*PreviewRow::previewIn(*cell), getBatteryRenderSettingsForProfile(profile));
    PreviewRow::place(*cell);
    return cell;
}

std::optional<double> QVAXSettingProfileListController::heightForRowAtIndexPath(uikit::UITableView&, const NSIndexPath&) {
    return PreviewRow::kRowHeight;
}

bool QVAXSettingProfileListController::isDeletable(const NSIndexPath& indexPath) {
    const auto name = profileNameAt(indexPath);
    return indexPath.row() >= undeletable_ && name && !isReserved(*name);
}

std::optional<uikit::UITableViewCellEditingStyle> QVAXSettingProfileListController::editingStyleForRowAtIndexPath(
    uikit::UITableView&, const NSIndexPath& indexPath) {
    return isDeletable(indexPath) ? uikit::UITableViewCellEditingStyle::Delete : uikit::UITableViewCellEditingStyle::None;
}

void QVAXSettingProfileListController::commitEditingStyle(uikit::UITableView&, uikit::UITableViewCellEditingStyle style,
                                                          const NSIndexPath& indexPath) {
    if (style != uikit::UITableViewCellEditingStyle::Delete || !isDeletable(indexPath)) return;
    const std::string name = *profileNameAt(indexPath);
    if (!ProfileLibrary::deleteProfile(name)) foundation::logLine("AMPORA: the profile \"" + name + "\" was not deleted");
    std::erase(profiles_, name);
    reloadBothPages();
}

void QVAXSettingProfileListController::reloadBothPages() {
    if (auto main = QVAXSettingsMainController::mainPage()) {
        main->reloadSpecifiers();
        main->reload();
    }
    reloadSpecifiers();
}

std::shared_ptr<UIAlertView> QVAXSettingProfileListController::makeAlert(const std::string& title,
                                                                         const std::string& message,
                                                                         const std::vector<std::string>& buttons) {
    std::vector<std::string> others;
    for (const auto& key : buttons) others.push_back(localizedString(key));
    return std::make_shared<UIAlertView>(
        localizedString(title), localizedString(message),
        std::static_pointer_cast<uikit::UIAlertViewDelegate>(
            std::static_pointer_cast<QVAXSettingProfileListController>(selfController())),
        localizedString("CANCEL"), std::move(others));
}

void QVAXSettingProfileListController::didSelectRowAtIndexPath(uikit::UITableView& tableView,
                                                               const NSIndexPath& indexPath) {
    tableView.deselectRowAtIndexPath(indexPath, true);
    const auto name = profileNameAt(indexPath);
    if (!name) return;
    // Read now: restoring "Most Recent" must apply what it held before the restore replaces it.
    pendingProfileRestore_ = ProfileLibrary::readProfile(*name).value_or(foundation::PlistDictionary{});
    restoreAlert_ = ProfileLibrary::isCompleteProfile(pendingProfileRestore_)
                        ? makeAlert("RESTORE_PRO", "PROFILE_POPUP_COMP", {"PROFILE_POPUP_OP_COMP", "PROFILE_POPUP_OP_COL"})
                        : makeAlert("RESTORE_PRO", "PROFILE_POPUP_COLOR", {"PROFILE_POPUP_OP_CUR", "PROFILE_POPUP_OP_DEF"});
    restoreAlert_->show();
}

void QVAXSettingProfileListController::saveTapped() {
    saveTypeAlert_ = makeAlert("SAVE_PROFILE", "PROFILE_ASK_POPUP", {"PROFILE_POPUP_OP_COMP", "PROFILE_POPUP_OP_COL"});
    saveTypeAlert_->show();
}

void QVAXSettingProfileListController::displaySaveNameAlert(bool nameTaken) {
    saveNameAlert_ = makeAlert("PROFILE_NAME", nameTaken ? "PROFILE_BAD_POPUP" : "PROFILE_NAME_POPUP", {"SAVE"});
    saveNameAlert_->setAlertViewStyle(uikit::UIAlertViewStyle::PlainTextInput);
    saveNameAlert_->show();
}

void QVAXSettingProfileListController::alertViewClickedButtonAtIndex(UIAlertView& alert, long index) {
    if (index == 0) return;  // cancel
    if (&alert == restoreAlert_.get()) {
        using ProfileLibrary::Restore;
        const bool complete = ProfileLibrary::isCompleteProfile(pendingProfileRestore_);
        const Restore how = complete ? (index == 1 ? Restore::Complete : Restore::ColorsOnly)
                                     : (index == 1 ? Restore::ColorsKeepingOther : Restore::ColorsWithDefaultOther);
        const auto result = ProfileLibrary::restoreProfile(pendingProfileRestore_, how);
        reloadBothPages();
        if (!result) {
            NotSavedAlert::show(*this, "PROFILE_NOT_RESTORED", result.message);
            return;
        }
        notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification);
    } else if (&alert == saveTypeAlert_.get()) {
        pendingProfileSave_ = index == 1 ? currentCompleteProfile() : currentColorProfile();
        displaySaveNameAlert(false);
    }
}

void QVAXSettingProfileListController::alertViewDidDismissWithButtonIndex(UIAlertView& alert, long index) {
    if (&alert != saveNameAlert_.get() || index != 1) return;
    auto field = alert.textFieldAtIndex(0);
    const std::string name = field ? field->text() : std::string();
    std::string problem;
    switch (ProfileLibrary::saveProfile(name, pendingProfileSave_, &problem)) {
    case ProfileLibrary::SaveResult::NameRefused: displaySaveNameAlert(true); return;
    case ProfileLibrary::SaveResult::WriteFailed:
        foundation::logLine("AMPORA: the profile \"" + name + "\" could not be written: " + problem);
        NotSavedAlert::show(*this, "PROFILE_NOT_SAVED", problem);
        return;
    case ProfileLibrary::SaveResult::Saved: reloadBothPages(); return;
    }
}

void QVAXSettingProfileListController::viewDidAppear(bool animated) {
    SKListItemsController::viewDidAppear(animated);
    FirstVisitNotice::showIfDue("viewedPP", {localizedString("PROFILE_POPUP_TITLE"), localizedString("PROFILE_POPUP"),
                                             localizedString("OK_SWEET")});
}
