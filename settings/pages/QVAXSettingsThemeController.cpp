#include "settings/pages/QVAXSettingsThemeController.h"

#include <algorithm>
#include <filesystem>

#include "common/SettingsNotification.h"
#include "platform/foundation/Paths.h"
#include "platform/uikit/views/UIScreen.h"
#include "settings/pages/ThemeFolder.h"
#include "settings/toolkit/FrameAdditions.h"

using foundation::PlistValue;
using uikit::CGRectMake;

runtime::Class* QVAXSettingsThemeController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVAXSettingsThemeController>(
        "QVAXSettingsThemeController", SKTintedListController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVAXSettingsThemeController::staticClass(), true);
}

QVAXSettingsThemeController::QVAXSettingsThemeController() {
    (void)kRegistered;
    const std::string folder = foundation::themeFolderPath();
    std::vector<std::string> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path().filename().string());
    std::sort(entries.begin(), entries.end());
    for (const auto& name : entries) {
        preferences::SpecifierDictionary row{{"cell", PlistValue("PSListItemCell")},
                                             {"cellClass", PlistValue("QVAXThemeCell")},
                                             {"height", PlistValue(80)},
                                             {"label", PlistValue(std::filesystem::path(name).stem().string())},
                                             {"defaults", PlistValue("com.kelvary.ampora.plist")},
                                             {"key", PlistValue("theme")},
                                             {"PostNotification", PlistValue(kSettingsChangedNotification)}};
        // Only a regular script file is read; a folder, FIFO or oversized file gets a row without a script.
        if (auto script = ThemeFolder::scriptAt(folder + name)) row.emplace_back("script_key", PlistValue(*script));
        specs_.push_back(std::move(row));
    }
}

uikit::UIView& QVAXSettingsThemeController::xheaderView() {
    if (!myHeader_) {
        const double width = view()->bounds().size.width;
        myHeader_ = std::make_shared<uikit::UIView>(CGRectMake(0, 0, width, 100));
        myHeader_->setBackgroundColor(uikit::UIColor::grey(0.5));
        levelSlider_ = std::make_shared<uikit::UISlider>(CGRectMake(0, 0, 0.75 * width, 40));
        chargeSwitch_ = std::make_shared<uikit::UISwitch>();
        chargeSwitch_->sizeToFit();
        myHeader_->addSubview(levelSlider_);
        myHeader_->addSubview(chargeSwitch_);
        levelSlider_->addTarget([this](uikit::UIControl&) { percentWasChanged(); }, uikit::UIControlEventValueChanged);
    }
    return *myHeader_;
}

void QVAXSettingsThemeController::layoutHeader() {
    if (!myHeader_) return;
    const double w = float(uikit::UIScreen::mainScreen().bounds().size.width);
    myHeader_->setFrame(CGRectMake(0, 0, w, kStripHeight));
    const uikit::CGPoint middle = myHeader_->center();
    levelSlider_->setFrame(CGRectMake(0, 0, 0.75 * w, 40));
    levelSlider_->setCenter({middle.x - 0.1 * w, middle.y});
    chargeSwitch_->setCenter({w - chargeSwitch_->frame().size.width, middle.y});
    SMFrameAdditions::setLeft(*levelSlider_, 20);
}

void QVAXSettingsThemeController::viewWillAppear(bool animated) {
    SKTintedListController::viewWillAppear(animated);
    layoutHeader();
}

uikit::UIViewPtr QVAXSettingsThemeController::viewForHeaderInSection(uikit::UITableView& tableView, long section) {
    if (section != 0) return SKTintedListController::viewForHeaderInSection(tableView, section);
    xheaderView();
    layoutHeader();
    return myHeader_;
}

std::optional<double> QVAXSettingsThemeController::heightForHeaderInSection(uikit::UITableView& tableView, long section) {
    if (section != 0) return SKTintedListController::heightForHeaderInSection(tableView, section);
    return xheaderView().frame().size.height;
}
