#include "settings/pages/QVAXSettingThemeListController.h"

#include "common/SettingsNotification.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/PreferenceStore.h"
#include "settings/pages/FirstVisitNotice.h"
#include "settings/pages/NotSavedAlert.h"
#include "settings/pages/PreviewRow.h"
#include "settings/pages/QVAXSettingsController.h"
#include "settings/pages/ThemeFolder.h"
#include "settings/preview/RenderSettings.h"

using preferences::PSSpecifierPtr;

runtime::Class* QVAXSettingThemeListController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVAXSettingThemeListController>(
        "QVAXSettingThemeListController", SKListItemsController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVAXSettingThemeListController::staticClass(), true);
}

QVAXSettingThemeListController::QVAXSettingThemeListController() {
    (void)kRegistered;
    useSecondarySettings = false;
}

std::optional<graphics::Color> QVAXSettingThemeListController::navigationTintColor() const {
    return QVAXSettingsController::kPaneColor;
}

void QVAXSettingThemeListController::loadView() {
    SKListItemsController::loadView();
    im_ = PreviewRow::imageWithColor(uikit::colors::clearColor, PreviewRow::kPreviewSize);
}

uikit::UITableViewCellPtr QVAXSettingThemeListController::cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                                                const uikit::NSIndexPath& indexPath) {
    auto cell = SKListItemsController::cellForRowAtIndexPath(tableView, indexPath);
    auto* row = dynamic_cast<preferences::PSTableCell*>(cell.get());
    if (!row) return cell;
    row->imageView()->setImage(im_);
    // The theme is the row's value, whatever its title says.
    const auto value = valueOfItem(row->specifier());
    const std::string name = value && value->asString() ? *value->asString() : std::string();
    PreviewRenderSettings settings = getBatteryRenderSettings();
    // An unreadable script draws nothing rather than the selected theme.
    const std::optional<std::string> read = ThemeFolder::scriptOfTheme(name);
    const std::string script = read.value_or(std::string());
    settings.lightSettings->script = script;
    settings.darkSettings->script = script;
    auto preview = PreviewRow::previewIn(*row);
    PreviewRow::show(*preview, settings);
    // A theme that fails says why, and can still be chosen.
    const std::string problem =
        read ? preview->failure() : "the file cannot be read as a theme (UTF-8 text, at most 1 MiB)";
    PreviewRow::showProblem(*row, problem, tableView.bounds().size.width);
    PreviewRow::place(*row);
    return cell;
}

std::optional<double> QVAXSettingThemeListController::heightForRowAtIndexPath(uikit::UITableView&,
                                                                              const uikit::NSIndexPath&) {
    return PreviewRow::kRowHeight;
}

void QVAXSettingThemeListController::setPreferenceValue(preferences::PreferenceValue value, const PSSpecifierPtr& row) {
    // A write the setter could not make must not be announced as a change.
    stored_ = preferences::storeValue(row, value) && preferences::readValue(row) == value;
}

void QVAXSettingThemeListController::didSelectRowAtIndexPath(uikit::UITableView& tableView,
                                                             const uikit::NSIndexPath& indexPath) {
    stored_ = false;
    if (!specifierAtIndexPath(indexPath)) return;
    SKListItemsController::didSelectRowAtIndexPath(tableView, indexPath);
    // The opening rows post nothing themselves: this is the one announcement, after the write.
    if (stored_) {
        notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification);
        return;
    }
    // The checkmark went to the tapped row; it belongs on what is stored.
    const preferences::PreferenceValue current = readPreferenceValue(specifier());
    for (const auto& c : tableView.visibleCells())
        if (auto* cell = dynamic_cast<preferences::PSTableCell*>(c.get()))
            cell->setChecked(current && valueOfItem(cell->specifier()) == current);
    NotSavedAlert::show(*this, "THEME_NOT_SAVED", PreferenceStore::lastProblem());
}

void QVAXSettingThemeListController::viewDidAppear(bool animated) {
    SKListItemsController::viewDidAppear(animated);
    FirstVisitNotice::showIfDue(
        "viewedTP",
        {localizedString("THEME_POPUP_TITLE"), localizedString("THEME_POPUP"), localizedString("OK_SWEET")},
        std::static_pointer_cast<uikit::UIAlertViewDelegate>(
            std::static_pointer_cast<QVAXSettingThemeListController>(selfController())));
}

void QVAXSettingThemeListController::viewWillDisappear(bool animated) {
    SKListItemsController::viewWillDisappear(animated);
    useSecondarySettings = false;
}
