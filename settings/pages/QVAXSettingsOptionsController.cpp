#include "settings/pages/QVAXSettingsOptionsController.h"

#include "common/SettingsNotification.h"
#include "settings/pages/ThemeFolder.h"

using foundation::PlistValue;
using preferences::PSSpecifierPtr;
using preferences::SpecifierDictionary;

namespace {

using Self = QVAXSettingsOptionsController;
foundation::PlistArray themeTitlesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->themeTitles(p); }
foundation::PlistArray themeValuesIMP(runtime::NSObject* s, PSSpecifierPtr p) { return static_cast<Self*>(s)->themeValues(p); }

const bool kRegistered = (QVAXSettingsOptionsController::staticClass(), true);

constexpr const char* kSettingsDomain = "com.kelvary.ampora.plist";

SpecifierDictionary group(std::optional<std::string> label, std::optional<std::string> footer = std::nullopt) {
    SpecifierDictionary row{{"cell", PlistValue("PSGroupCell")}};
    if (label) row.emplace_back("label", PlistValue(*label));
    if (footer) row.emplace_back("footerText", PlistValue(*footer));
    return row;
}

SpecifierDictionary caption(const std::string& label) {
    return {{"cell", PlistValue("PSStaticTextCell")}, {"label", PlistValue(label)}};
}

SpecifierDictionary switchRow(const std::string& label, const std::string& key, bool fallback) {
    return {{"cell", PlistValue("PSSwitchCell")},
            {"label", PlistValue(label)},
            {"key", PlistValue(key)},
            {"default", PlistValue(fallback)},
            {"defaults", PlistValue(kSettingsDomain)},
            {"PostNotification", PlistValue(kSettingsChangedNotification)},
            {"cellClass", PlistValue("SKTintedSwitchCell")}};
}

SpecifierDictionary sliderRow(std::optional<std::string> label, const std::string& key, int fallback, int min, int max) {
    SpecifierDictionary row{{"cell", PlistValue("PSSliderCell")}};
    if (label) row.emplace_back("label", PlistValue(*label));
    row.insert(row.end(), {{"key", PlistValue(key)},
                           {"default", PlistValue(fallback)},
                           {"min", PlistValue(min)},
                           {"max", PlistValue(max)},
                           {"defaults", PlistValue(kSettingsDomain)},
                           {"PostNotification", PlistValue(kSettingsChangedNotification)},
                           {"cellClass", PlistValue("MSBetterPSSliderTableCell")},
                           {"showValue", PlistValue(true)},
                           // Whole percentages, as the engine reads them.
                           {"isSegmented", PlistValue(true)},
                           {"segmentCount", PlistValue(max - min)}});
    return row;
}

}  // namespace

runtime::Class* QVAXSettingsOptionsController::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c = runtime::defineClass<QVAXSettingsOptionsController>("QVAXSettingsOptionsController",
                                                                                 QVAXSettingsController::staticClass());
        c.addMethod("themeTitles:", &themeTitlesIMP);
        c.addMethod("themeValues:", &themeValuesIMP);
        return &c;
    }();
    return cls;
}

void QVAXSettingsOptionsController::loadView() {
    (void)kRegistered;
    QVAXSettingsController::loadView();
    themes_ = ThemeFolder::installedThemes();
}

foundation::PlistArray QVAXSettingsOptionsController::themeTitles(const PSSpecifierPtr&) const {
    return {themes_.begin(), themes_.end()};
}
foundation::PlistArray QVAXSettingsOptionsController::themeValues(const PSSpecifierPtr&) const {
    return {themes_.begin(), themes_.end()};
}

std::optional<std::vector<SpecifierDictionary>> QVAXSettingsOptionsController::customSpecifiers() {
    // The engine mirrors about the vertical axis for flipY, so "horizontally" goes with flipY.
    return std::vector<SpecifierDictionary>{
        group("FLIP_HEAD"),
        switchRow("FLIP_H", "flipY", false),
        switchRow("FLIP_V", "flipX", false),
        group(std::nullopt, "LOW_FOOTER"),
        switchRow("SHOW_BOLT", "chargeSym", false),
        switchRow("IGNORE_CHARGE", "ignoreCC", false),
        caption("LOW_LEVEL"),
        sliderRow(std::nullopt, "lowLevel", 20, 5, 95),
        group("ANOTHER_HEAD", "SEC_THM_FOOT"),
        switchRow("USE_SECOND", "useSecondTheme", true),
        {{"cell", PlistValue("PSLinkListCell")},
         {"label", PlistValue("SEC_THEME")},
         {"key", PlistValue("secondTheme")},
         {"default", PlistValue("Ampora LBI")},
         {"detail", PlistValue("QVAXSettingSecondaryThemeListController")},
         {"defaults", PlistValue(kSettingsDomain)},
         {"titlesDataSource", PlistValue("themeTitles:")},
         {"valuesDataSource", PlistValue("themeValues:")}},
        switchRow("FLIP_SEC_H", "flipYSecondary", false),
        switchRow("FLIP_SEC_V", "flipXSecondary", false),
        caption("ACTIV_BELOW"),
        sliderRow("Lower Limit", "secondThemeLimit", 20, 5, 95),
        group("Development", "DEV_FOOT"),
        switchRow("Enable Custom Percent", "cpe", false),
        sliderRow("Percent", "customLevel", 75, 0, 100),
    };
}
