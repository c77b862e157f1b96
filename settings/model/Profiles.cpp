#include "settings/model/Profiles.h"

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/PreferenceStore.h"

using foundation::PlistDictionary;

std::vector<std::string> colorProfileKeys() {
    return {"lightColor",      "darkColor",    "baseLightColor", "baseDarkColor",         "chargeColor",
            "chargeCColor",    "lowColor",     "lpmColor",       "useCustomCharge",       "useCustomCC",
            "useCustomLow",    "useCustomLPM", "shareMainColorEnabled", "sharedColorAlpha", "passMain",
            "passBase",        "passBaseAlpha"};
}

std::vector<std::string> otherProfileKeys() {
    return {"theme", "lowLevel", "useSecondTheme", "secondThemeLimit", "secondTheme",
            "flipY", "flipX",    "flipYSecondary", "flipXSecondary"};
}

PlistDictionary colorProfileTemplate() {
    return {
        {"lightColor", "#FFFFFF"},      {"darkColor", "#000000"},        {"baseLightColor", "#FFFFFF55"},
        {"baseDarkColor", "#00000055"}, {"chargeColor", "#00FF00"},      {"chargeCColor", "#00CCFF"},
        {"lowColor", "#FF0000"},        {"lpmColor", "#FFCC00"},         {"useCustomCharge", false},
        {"useCustomCC", false},         {"useCustomLow", false},         {"useCustomLPM", false},
        {"shareMainColorEnabled", false}, {"sharedColorAlpha", 0.3},     {"passMain", false},
        {"passBase", false},            {"passBaseAlpha", 0.3},
    };
}

PlistDictionary otherProfileTemplate() {
    return {
        {"theme", "Ampora Connect"}, {"lowLevel", 20},      {"useSecondTheme", true}, {"secondThemeLimit", 20},
        {"secondTheme", "Ampora LBI"}, {"flipY", false},    {"flipX", false},         {"flipYSecondary", false},
        {"flipXSecondary", false},   {"chargeSym", false},  {"ignoreCC", false},
    };
}

namespace {

PlistDictionary overlaidWith(PlistDictionary profile, const std::optional<PlistDictionary>& settings) {
    for (auto& [key, value] : profile)
        if (const auto* stored = foundation::valueForKey(settings, key)) value = *stored;
    return profile;
}

}  // namespace

PlistDictionary currentColorProfile() {
    return overlaidWith(colorProfileTemplate(), foundation::readDictionaryFromFile(foundation::settingsFilePath()));
}

PlistDictionary completeProfileOf(const std::optional<PlistDictionary>& settings) {
    PlistDictionary profile = colorProfileTemplate();
    profile.merge(otherProfileTemplate());
    return overlaidWith(std::move(profile), settings);
}

PlistDictionary currentCompleteProfile() {
    return completeProfileOf(foundation::readDictionaryFromFile(foundation::settingsFilePath()));
}

void applyProfile(const PlistDictionary& profile) {
    PreferenceStore::rewrite(foundation::settingsFilePath(), PreferenceStore::WhenMissing::Skip,
                             [&](PlistDictionary& settings) {
                                 for (const auto& [key, value] : profile) settings.insert_or_assign(key, value);
                             });
}

void applyOnlyColorProfile(const PlistDictionary& profile) {
    PreferenceStore::rewrite(foundation::settingsFilePath(), PreferenceStore::WhenMissing::Skip,
                             [&](PlistDictionary& settings) {
                                 for (const auto& key : colorProfileKeys())
                                     if (const auto* value = foundation::valueForKey(&profile, key))
                                         settings.insert_or_assign(key, *value);
                             });
}
