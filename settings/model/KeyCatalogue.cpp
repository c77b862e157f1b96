#include "settings/model/KeyCatalogue.h"

namespace KeyCatalogue {

const std::vector<Entry>& entries() {
    using K = Kind;
    using P = ProfileMembership;
    static const std::vector<Entry> catalogue = {
        {"enabled", K::Boolean, false, "main page switch", P::None},
        {"theme", K::String, "Ampora Connect", "main page theme list", P::Other},
        {"secondTheme", K::String, "Ampora LBI", "options page secondary theme list", P::Other},
        {"useSecondTheme", K::Boolean, true, "options page", P::Other},
        {"secondThemeLimit", K::Number, 20, "options page (slider 5 to 95)", P::Other, std::pair(5.0, 95.0)},
        {"lowLevel", K::Number, 20, "options page (slider 5 to 95)", P::Other, std::pair(5.0, 95.0)},
        {"flipY", K::Boolean, false, "options page", P::Other},
        {"flipX", K::Boolean, false, "options page", P::Other},
        {"flipYSecondary", K::Boolean, false, "options page", P::Other},
        {"flipXSecondary", K::Boolean, false, "options page", P::Other},
        {"chargeSym", K::Boolean, false, "options page", P::OtherTemplateOnly},
        {"ignoreCC", K::Boolean, false, "options page", P::OtherTemplateOnly},
        {"cpe", K::Boolean, false, "options page", P::None},
        {"customLevel", K::Number, 75, "options page (slider 0 to 100)", P::None, std::pair(0.0, 100.0)},
        {"lightColor", K::Color, "#FFFFFF", "color options page", P::Color},
        {"darkColor", K::Color, "#000000", "color options page", P::Color},
        {"baseLightColor", K::Color, "#FFFFFF55", "color options page", P::Color},
        {"baseDarkColor", K::Color, "#00000055", "color options page", P::Color},
        {"chargeColor", K::Color, "#00FF00", "color options page", P::Color},
        {"chargeCColor", K::Color, "#00CCFF", "color options page", P::Color},
        {"lowColor", K::Color, "#FF0000", "color options page", P::Color},
        {"lpmColor", K::Color, "#FFCC00", "color options page", P::Color},
        {"useCustomCharge", K::Boolean, false, "color options page", P::Color},
        {"useCustomCC", K::Boolean, false, "color options page", P::Color},
        {"useCustomLow", K::Boolean, false, "color options page", P::Color},
        {"useCustomLPM", K::Boolean, false, "color options page", P::Color},
        {"shareMainColorEnabled", K::Boolean, false, "color options page", P::Color},
        {"sharedColorAlpha", K::Number, 0.3, "color options page (slider 0 to 1)", P::Color, std::pair(0.0, 1.0)},
        {"passMain", K::Boolean, false, "color options page", P::Color},
        {"passBase", K::Boolean, false, "color options page", P::Color},
        {"passBaseAlpha", K::Number, 0.3, "color options page (slider 0 to 1)", P::Color, std::pair(0.0, 1.0)},
        {"viewedTP", K::Counter, std::nullopt, "theme list pages", P::None},
        {"viewedPP", K::Counter, std::nullopt, "profile list page", P::None},
    };
    return catalogue;
}

const Entry* entryForKey(const std::string& key) {
    for (const auto& entry : entries())
        if (entry.key == key) return &entry;
    return nullptr;
}

}  // namespace KeyCatalogue
