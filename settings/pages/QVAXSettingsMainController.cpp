#include "settings/pages/QVAXSettingsMainController.h"

#include <algorithm>
#include <filesystem>

#include "common/SettingsNotification.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/uikit/drawing/UIImageDrawing.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UIImageView.h"
#include "settings/model/LegacyMigration.h"
#include "settings/model/ProfileLibrary.h"
#include "settings/pages/QVHeaderCell.h"
#include "settings/pages/ThemeFolder.h"

using foundation::PlistValue;
using preferences::PSSpecifierPtr;
using preferences::SpecifierDictionary;

namespace {

using Self = QVAXSettingsMainController;
foundation::PlistArray themeTitlesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->themeTitles(p); }
foundation::PlistArray themeValuesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->themeValues(p); }
foundation::PlistArray loadProfilesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->loadProfiles(p); }
foundation::PlistArray profileTitlesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->profileTitles(p); }
void removedSpecifierIMP(runtime::NSObject*, PSSpecifierPtr) {}

const bool kRegistered = (QVAXSettingsMainController::staticClass(), true);

// Weak: a page the user left must read as gone.
std::weak_ptr<QVAXSettingsMainController> gMainPage;

constexpr const char* kSettingsDomain = "com.kelvary.ampora.plist";

foundation::PlistArray asArray(const std::vector<std::string>& names) { return {names.begin(), names.end()}; }

}  // namespace

runtime::Class* QVAXSettingsMainController::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c = runtime::defineClass<QVAXSettingsMainController>("QVAXSettingsMainController",
                                                                              QVAXSettingsController::staticClass());
        c.addMethod("themeTitles:", &themeTitlesIMP);
        c.addMethod("themeValues:", &themeValuesIMP);
        c.addMethod("loadProfiles:", &loadProfilesIMP);
        c.addMethod("profileTitles:", &profileTitlesIMP);
        c.addMethod("removedSpecifier:", &removedSpecifierIMP);
        return &c;
    }();
    return cls;
}

std::shared_ptr<QVAXSettingsMainController> QVAXSettingsMainController::mainPage() { return gMainPage.lock(); }

std::optional<std::vector<SpecifierDictionary>> QVAXSettingsMainController::customSpecifiers() {
    (void)kRegistered;
    const PlistValue defaults(kSettingsDomain), post(kSettingsChangedNotification);
    return std::vector<SpecifierDictionary>{
        {{"cell", PlistValue("PSGroupCell")}, {"footerText", PlistValue("HEADER_FOOT")}},
        {{"cell", PlistValue("PSStaticTextCell")},
         {"cellClass", PlistValue("QVHeaderCell")},
         {"amporaHeader", PlistValue("amporaHeader")},
         {"height", PlistValue(double(headerHeight_))}},
        {{"cell", PlistValue("PSGroupCell")}, {"footerText", PlistValue("ENABLED_FOOT")}},
        {{"cell", PlistValue("PSSwitchCell")},
         {"label", PlistValue("ENABLED")},
         {"key", PlistValue("enabled")},
         {"default", PlistValue(false)},
         {"defaults", defaults},
         {"PostNotification", post},
         {"cellClass", PlistValue("SKTintedSwitchCell")}},
        {{"cell", PlistValue("PSGroupCell")}, {"label", PlistValue("")}},
        {{"cell", PlistValue("PSLinkListCell")},
         {"label", PlistValue("THEME")},
         {"detail", PlistValue("QVAXSettingThemeListController")},
         {"key", PlistValue("theme")},
         {"defaults", defaults},
         {"default", PlistValue("Ampora Connect")},
         {"titlesDataSource", PlistValue("themeTitles:")},
         {"valuesDataSource", PlistValue("themeValues:")}},
        {{"cell", PlistValue("PSGroupCell")}},
        {{"cell", PlistValue("PSLinkListCell")},
         {"label", PlistValue("PROFILES")},
         {"detail", PlistValue("QVAXSettingProfileListController")},
         {"titlesDataSource", PlistValue("loadProfiles:")},
         {"valuesDataSource", PlistValue("loadProfiles:")}},
        {{"cell", PlistValue("PSGroupCell")}},
        {{"cell", PlistValue("PSLinkCell")},
         {"label", PlistValue("COLOR_OPTIONS")},
         {"isController", PlistValue(true)},
         {"cellClass", PlistValue("SKTintedCell")},
         {"detail", PlistValue("QVAXSettingsColorOptionsController")}},
        {{"cell", PlistValue("PSLinkCell")},
         {"label", PlistValue("OTHER_OPTIONS")},
         {"isController", PlistValue(true)},
         {"cellClass", PlistValue("SKTintedCell")},
         {"detail", PlistValue("QVAXSettingsOptionsController")}},
        {{"cell", PlistValue("PSGroupCell")}},
        {{"cell", PlistValue("PSLinkCell")},
         {"label", PlistValue("CREATOR")},
         {"isController", PlistValue(true)},
         {"detail", PlistValue("QVAXCreditsController")}},
    };
}

foundation::PlistArray QVAXSettingsMainController::themeTitles(const PSSpecifierPtr&) const { return asArray(themes_); }
foundation::PlistArray QVAXSettingsMainController::themeValues(const PSSpecifierPtr&) const { return asArray(themes_); }

foundation::PlistArray QVAXSettingsMainController::loadProfiles(const PSSpecifierPtr&) {
    profiles_ = ProfileLibrary::loadProfiles();
    return asArray(profiles_);
}

foundation::PlistArray QVAXSettingsMainController::profileTitles(const PSSpecifierPtr&) {
    profiles_.clear();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(foundation::profilesFolderPath(), error)) {
        const std::filesystem::path name = entry.path().filename();
        if (name.extension() == ".axProfile") profiles_.push_back(name.stem().string());
    }
    return asArray(profiles_);
}

void QVAXSettingsMainController::loadView() {
    gMainPage = std::static_pointer_cast<QVAXSettingsMainController>(selfController());
    QVAXSettingsController::loadView();
    listThemes();
    computeHeaderHeight();
}

void QVAXSettingsMainController::listThemes() { themes_ = ThemeFolder::installedThemes(); }

void QVAXSettingsMainController::computeHeaderHeight() {
    auto own = bundle();
    auto image = own ? own->imageNamed("amporaHeader") : nullptr;
    const uikit::CGSize screen = uikit::UIScreen::mainScreen().bounds().size;
    const float portraitWidth = float(std::min(screen.width, screen.height));
    if (!image || image->width() <= 0) {
        foundation::logLine("AMPORA: the header picture amporaHeader is missing; the header row keeps a fixed height");
        headerHeight_ = kFallbackHeaderHeight;
        return;
    }
    headerHeight_ = float(image->height() * (double(portraitWidth) / image->width()));
}

void QVAXSettingsMainController::viewWillAppear(bool animated) {
    QVAXSettingsController::viewWillAppear(animated);
    navigationItem()->setTitle("");
    table()->setContentInset({29, 0, 0, 0});
    table()->setContentOffset({0, -29});
}

void QVAXSettingsMainController::viewDidAppear(bool animated) {
    QVAXSettingsController::viewDidAppear(animated);
    if (!logoUp_) putUpLogo();
    offerMigration();
}

void QVAXSettingsMainController::putUpLogo() {
    auto own = bundle();
    auto logo = own ? own->imageNamed("kelvaryLogoSmall.png") : nullptr;
    if (logo) logo = uikit::imageWithRenderingMode(logo, uikit::UIImage::RenderingMode::AlwaysTemplate);
    auto view = std::make_shared<uikit::UIImageView>(logo);
    view->setTintColor(navigationTintColor());
    navigationItem()->setTitleView(view);
    view->setAlpha(0);
    uikit::UIView::animateWithDuration(1.25, [view] { view->setAlpha(1); });
    logoUp_ = true;
}

void QVAXSettingsMainController::offerMigration() {
    if (!LegacyMigration::shouldOffer()) return;
    auto alert = std::make_shared<uikit::UIAlertView>(
        "Old Settings",
        "It looks like you dont have any settings but there is settings from a previous version. Would you like to "
        "transfer them over?",
        std::static_pointer_cast<uikit::UIAlertViewDelegate>(
            std::static_pointer_cast<QVAXSettingsMainController>(selfController())),
        std::nullopt, std::vector<std::string>{"Ok Sweet!"});
    alert->show();
}

void QVAXSettingsMainController::alertViewDidDismissWithButtonIndex(uikit::UIAlertView&, long) {
    if (const LegacyMigration::Outcome outcome = LegacyMigration::migrate(); !outcome) {
        // The person agreed to something that did not happen: say so, once.
        auto told = std::make_shared<uikit::UIAlertView>(
            "Old Settings", "Your old settings could not be moved over: " + outcome.problem + ".",
            std::weak_ptr<uikit::UIAlertViewDelegate>(), std::string("OK"), std::vector<std::string>{});
        told->show();
        return;
    }
    reloadSpecifiers();
    reload();
    notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification);
}

void QVAXSettingsMainController::didRotateFromInterfaceOrientation(uikit::UIInterfaceOrientation from) {
    QVAXSettingsController::didRotateFromInterfaceOrientation(from);
    auto cell = QVHeaderCell::latestHeaderCell();
    if (!cell) return;
    const bool fromPortrait = from == uikit::UIInterfaceOrientation::Portrait ||
                              from == uikit::UIInterfaceOrientation::PortraitUpsideDown;
    cell->layer()->setCornerRadius(fromPortrait ? 7 : 0);
}
