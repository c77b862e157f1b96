#include "settings/preview/RenderSettings.h"

#include "common/ColorParsing.h"
#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "settings/preview/DefaultThemeScript.h"

using foundation::PlistDictionary;

bool useSecondarySettings = false;

namespace {

graphics::Color decode(const PlistDictionary& source, const char* key, const char* fallback) {
    return ColorParsing::colorFromHexStringOr(foundation::stringForKey(&source, key), fallback);
}

void setColors(RenderSettings& d, const PlistDictionary& source, const char* colorKey, const char* colorDefault,
               const char* baseKey, const char* baseDefault) {
    d.color = decode(source, colorKey, colorDefault);
    d.baseColor = decode(source, baseKey, baseDefault);
    if (foundation::boolForKey(&source, "shareMainColorEnabled")) {
        const double alpha = foundation::doubleForKey(&source, "sharedColorAlpha", 0.3);
        d.baseColor = d.color.withAlpha(alpha);
        d.shareAlpha = alpha;
    }
}

void copyFlip(const PlistDictionary& source, const char* key, bool& flip) {
    if (const auto* v = foundation::valueForKey(&source, key)) flip = foundation::boolValue(v);
}

PreviewRenderSettings build(const PlistDictionary& source, const std::string& themeName, bool secondaryFlips) {
    RenderSettings d;
    d.script = defaultThemeScript();
    // A name that would leave the theme folder reads as a missing theme.
    if (auto path = foundation::themeFilePath(themeName))
        if (auto text = foundation::readUTF8File(*path, foundation::ReadLimit::theme)) d.script = *text;
    copyFlip(source, "flipX", d.flipX);
    copyFlip(source, "flipY", d.flipY);
    if (secondaryFlips) {
        copyFlip(source, "flipXSecondary", d.flipX);
        copyFlip(source, "flipYSecondary", d.flipY);
    }
    RenderSettings l = d;
    setColors(d, source, "lightColor", "#FFFFFF", "baseLightColor", "#FFFFFF55");
    setColors(l, source, "darkColor", "#000000", "baseDarkColor", "#00000055");
    return {std::make_shared<RenderSettings>(d), std::make_shared<RenderSettings>(l)};
}

std::string themeOf(const PlistDictionary* source) {
    if (source && source->count("theme")) return foundation::stringForKey(source, "theme").value_or("");
    return "Ampora Connect";
}

}  // namespace

PreviewRenderSettings getBatteryRenderSettings() {
    const PlistDictionary settings =
        foundation::readDictionaryFromFile(foundation::settingsFilePath()).value_or(PlistDictionary{});
    return build(settings, themeOf(&settings), useSecondarySettings);
}

PreviewRenderSettings getBatteryRenderSettingsForProfile(const PlistDictionary& profile) {
    std::string theme;
    if (profile.count("theme")) {
        theme = themeOf(&profile);
    } else {
        const auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
        theme = themeOf(settings ? &*settings : nullptr);
    }
    return build(profile, theme, false);
}
