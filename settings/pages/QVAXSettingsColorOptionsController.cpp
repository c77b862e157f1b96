#include "settings/pages/QVAXSettingsColorOptionsController.h"

#include "common/SettingsNotification.h"

using foundation::PlistValue;
using preferences::SpecifierDictionary;

namespace {

const bool kRegistered = (QVAXSettingsColorOptionsController::staticClass(), true);

// Weak: a page the user left must read as gone.
std::weak_ptr<QVAXSettingsColorOptionsController> gRegisteredPage;

constexpr const char* kSettingsDomain = "com.kelvary.ampora.plist";

// What every row that stores a value carries.
SpecifierDictionary stored(SpecifierDictionary row) {
    row.emplace_back("defaults", PlistValue(kSettingsDomain));
    row.emplace_back("PostNotification", PlistValue(kSettingsChangedNotification));
    return row;
}

SpecifierDictionary group(const std::string& label, std::optional<std::string> footer = std::nullopt) {
    SpecifierDictionary row{{"cell", PlistValue("PSGroupCell")}, {"label", PlistValue(label)}};
    if (footer) row.emplace_back("footerText", PlistValue(*footer));
    return row;
}

SpecifierDictionary colorRow(const std::string& label, const std::string& key, const std::string& fallback,
                             bool useAlpha, const std::string& update,
                             std::optional<std::string> foreUpdate = std::nullopt) {
    SpecifierDictionary row{{"cell", PlistValue("PSLinkCell")},
                            {"cellClass", PlistValue("QVColorCell")},
                            {"label", PlistValue(label)},
                            {"key", PlistValue(key)},
                            {"default", PlistValue(fallback)},
                            {"useAlpha", PlistValue(useAlpha)},
                            {"update", PlistValue(update)}};
    if (foreUpdate) row.emplace_back("foreUpdate", PlistValue(*foreUpdate));
    return stored(std::move(row));
}

SpecifierDictionary switchRow(const std::string& label, const std::string& key) {
    return stored({{"cell", PlistValue("PSSwitchCell")},
                   {"cellClass", PlistValue("SKTintedSwitchCell")},
                   {"label", PlistValue(label)},
                   {"key", PlistValue(key)},
                   {"default", PlistValue(false)}});
}

SpecifierDictionary alphaSliderRow(const std::string& key) {
    return stored({{"cell", PlistValue("PSSliderCell")},
                   {"cellClass", PlistValue("MSBetterPSSliderTableCell")},
                   {"key", PlistValue(key)},
                   {"default", PlistValue(0.3)},
                   {"min", PlistValue(0.0)},
                   {"max", PlistValue(1.0)},
                   {"showValue", PlistValue(true)}});
}

}  // namespace

runtime::Class* QVAXSettingsColorOptionsController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVAXSettingsColorOptionsController>(
        "QVAXSettingsColorOptionsController", QVAXSettingsController::staticClass());
    return cls;
}

std::shared_ptr<QVAXSettingsColorOptionsController> QVAXSettingsColorOptionsController::registeredPage() {
    return gRegisteredPage.lock();
}

void QVAXSettingsColorOptionsController::loadView() {
    (void)kRegistered;
    QVAXSettingsController::loadView();
    gRegisteredPage = std::static_pointer_cast<QVAXSettingsColorOptionsController>(selfController());
}

std::optional<std::vector<SpecifierDictionary>> QVAXSettingsColorOptionsController::customSpecifiers() {
    // Under the light status bar the icon is dark: its keys are named for the icon's color.
    return std::vector<SpecifierDictionary>{
        group("LIGHT_HEAD"),
        colorRow("LIGHT_MAIN_COL", "darkColor", "#000000", false, "color", "lightSettings"),
        colorRow("LIGHT_BASE_COL", "baseDarkColor", "#00000055", true, "baseColor", "lightSettings"),
        group("DARK_HEAD", "BASE_FOOTER"),
        colorRow("DARK_MAIN_COL", "lightColor", "#FFFFFF", false, "color", "darkSettings"),
        colorRow("DARK_BASE_COL", "baseLightColor", "#FFFFFF55", true, "baseColor", "darkSettings"),
        group("OTHER_CUSTOM_HEAD"),
        switchRow("USE_CUSTOM_CH", "useCustomCharge"),
        colorRow("CH_COL", "chargeColor", "#00FF00", false, "color"),
        switchRow("USE_CUSTOM_CC", "useCustomCC"),
        colorRow("CC_COL", "chargeCColor", "#00CCFF", false, "color"),
        switchRow("USE_CUSTOM_LOW", "useCustomLow"),
        colorRow("LOW_COL", "lowColor", "#FF0000", false, "color"),
        switchRow("USE_CUSTOM_LPM", "useCustomLPM"),
        colorRow("LPM_COL", "lpmColor", "#FFCC00", false, "color"),
        group("SHARE_HEAD", "SHARE_BASE_FOOT"),
        switchRow("SHARE_W_BASE", "shareMainColorEnabled"),
        {{"cell", PlistValue("PSStaticTextCell")}, {"label", PlistValue("SHARE_BASE_ALPHA")}},
        alphaSliderRow("sharedColorAlpha"),
        group("NO_COL_HEAD", "USE_PASS_FOOT"),
        switchRow("USE_PASS_MAIN", "passMain"),
        switchRow("USE_PASS_BASE", "passBase"),
        alphaSliderRow("passBaseAlpha"),
    };
}
