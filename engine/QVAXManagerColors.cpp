#include "common/ColorParsing.h"
#include "common/ThemeCall.h"
#include "engine/EngineDefaults.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/LenientValues.h"

using foundation::boolForKey;
using foundation::doubleForKey;
using foundation::stringForKey;
using graphics::Color;

using ColorParsing::colorFromHexStringOr;

RenderColorSettings QVAXManager::createBatteryRenderColorSettingsForForegroundColor(const Color& foreground,
                                                                                    bool charging,
                                                                                    std::int32_t level,
                                                                                    bool lowPowerMode) const {
    const foundation::PlistDictionary* s = settings_ ? &*settings_ : nullptr;
    const bool light = foreground.greyLevel() >= 1;

    // A state's own color counts only when its toggle is on; otherwise its default.
    auto stateColor = [&](const char* toggle, const char* key, const char* fallback) {
        return colorFromHexStringOr(boolForKey(s, toggle) ? stringForKey(s, key) : std::nullopt, fallback);
    };

    Color main = Color::rgb(0, 0, 0);
    if (charging && level == 100) {
        main = stateColor("useCustomCC", "chargeCColor", "#00CCFF");
    } else if (charging && !_ignoreCharge) {
        main = stateColor("useCustomCharge", "chargeColor", "#00FF00");
    } else if (lowPowerMode) {
        main = stateColor("useCustomLPM", "lpmColor", "#FFCC00");
    } else if (level > lowLevel()) {
        const char* fallback = light ? "#FFFFFF" : "#000000";
        main = boolForKey(s, "passMain") ? foreground
                                         : colorFromHexStringOr(stringForKey(s, light ? "lightColor" : "darkColor"), fallback);
    } else {
        main = stateColor("useCustomLow", "lowColor", "#FF0000");
    }

    Color base = Color::rgb(0, 0, 0);
    if (boolForKey(s, "shareMainColorEnabled")) {
        base = main.withAlpha(doubleForKey(s, "sharedColorAlpha", EngineDefaults::sharedAlpha));
    } else if (boolForKey(s, "passBase")) {
        base = foreground.withAlpha(doubleForKey(s, "passBaseAlpha", EngineDefaults::sharedAlpha));
    } else {
        base = colorFromHexStringOr(stringForKey(s, light ? "baseLightColor" : "baseDarkColor"),
                        light ? "#FFFFFF55" : "#00000055");
    }
    return {main, base};
}

std::optional<std::string> QVAXManager::callStringForLoadedTheme(double height, std::int32_t level, bool charging,
                                                                 bool lowPowerMode,
                                                                 const RenderColorSettings& colors) const {
    if (!_script) return std::nullopt;
    ThemeCall::Arguments arguments{height, level, charging, level <= lowLevel(), lowPowerMode, colors.color,
                                   colors.baseColor};
    if (_themeType == 1) return ThemeCall::fiveParameterCall(*_script, arguments);
    if (_themeType == 2) return ThemeCall::sevenParameterCall(*_script, arguments);
    return std::nullopt;
}
