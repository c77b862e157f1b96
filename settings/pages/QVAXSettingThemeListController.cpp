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
    // Nothing more until the row comes near view: a long list opens at once.
    return cell;
}

void QVAXSettingThemeListController::willDisplayCell(uikit::UITableView& tableView, uikit::UITableViewCell& cell,
                                                     const uikit::NSIndexPath&) {
    auto* row = dynamic_cast<preferences::PSTableCell*>(&cell);
    if (!row) return;
    // The theme is the row's value, whatever its title says.
    const auto value = valueOfItem(row->specifier());
    const std::string name = value && value->asString() ? *value->asString() : std::string();
    // An empty box until both halves arrive.
    auto preview = PreviewRow::previewIn(*row);
    preview->setRendersInBackground(true);
    PreviewRow::showProblem(*row, std::string(), tableView.bounds().size.width);
    PreviewRow::place(*row);
    // Read when the row needs it, and off the main thread: a theme may be 1 MiB.
    // An unreadable script draws nothing rather than the selected theme.
    preview->setScriptReader([name](std::string& why) {
        std::optional<std::string> script = ThemeFolder::scriptOfTheme(name);
        if (!script) why = "the file cannot be read as a theme (UTF-8 text, at most 1 MiB)";
        return script;
    });
    const double width = tableView.bounds().size.width;
    std::weak_ptr<uikit::UIResponder> weakRow = row->weak_from_this();
    // A theme that fails says why once it has been tried, and can still be chosen.
    preview->setRenderedHandler([weakRow, width](QVAXBatteryPreView& shown) {
        auto held = weakRow.lock();
        if (auto* again = dynamic_cast<preferences::PSTableCell*>(held.get()))
            PreviewRow::showProblem(*again, shown.failure(), width);
    });
    PreviewRow::show(*preview, getBatteryRenderSettings());
}

void QVAXSettingThemeListController::didEndDisplayingCell(uikit::UITableView&, uikit::UITableViewCell& cell,
                                                          const uikit::NSIndexPath&) {
    // Far out of view: nothing of the theme stays in memory.
    if (auto* row = dynamic_cast<preferences::PSTableCell*>(&cell))
        if (auto* preview = dynamic_cast<QVAXBatteryPreView*>(row->contentView()->viewWithTag(PreviewRow::kPreviewTag)))
            preview->releaseContents();
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
