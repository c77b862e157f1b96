#include "platform/preferences/PreferenceMessages.h"

#include "platform/foundation/Log.h"

namespace preferences {

PreferenceValue readValue(const PSSpecifierPtr& specifier) {
    if (!specifier || specifier->getter().empty()) return std::nullopt;
    auto target = specifier->target();
    if (!target) return std::nullopt;
    auto value = runtime::sendChecked<PreferenceValue>(target.get(), specifier->getter(), specifier);
    return value ? *value : std::nullopt;
}

bool storeValue(const PSSpecifierPtr& specifier, const PreferenceValue& value) {
    if (!specifier || specifier->setter().empty()) return false;
    auto target = specifier->target();
    if (!target) {
        foundation::logLine("AMPORA: the row \"" + specifier->name() + "\" has lost its target; nothing stored");
        return false;
    }
    return runtime::sendChecked<void>(target.get(), specifier->setter(), value, specifier);
}

bool sendAction(const PSSpecifierPtr& specifier, const std::string& selector) {
    if (!specifier || selector.empty()) return false;
    auto target = specifier->target();
    return target && runtime::sendChecked<void>(target.get(), selector, specifier);
}

void loadValuesAndTitlesFromDataSource(const PSSpecifierPtr& specifier) {
    if (!specifier) return;
    const std::string valuesSource = specifier->stringPropertyForKey("valuesDataSource");
    const std::string titlesSource = specifier->stringPropertyForKey("titlesDataSource");
    if (valuesSource.empty() || titlesSource.empty()) return;
    auto target = specifier->target();
    if (!target) return;
    auto values = runtime::sendChecked<foundation::PlistArray>(target.get(), valuesSource, specifier);
    auto titles = runtime::sendChecked<foundation::PlistArray>(target.get(), titlesSource, specifier);
    if (!values || !titles) return;
    std::vector<std::string> titleTexts;
    for (const auto& t : *titles) titleTexts.push_back(t.asString() ? *t.asString() : std::string());
    specifier->setValues(std::move(*values), std::move(titleTexts));
}

}  // namespace preferences
