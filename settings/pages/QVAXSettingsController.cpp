#include "settings/pages/QVAXSettingsController.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/PreferenceStore.h"

runtime::Class* QVAXSettingsController::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<QVAXSettingsController>("QVAXSettingsController", SKTintedListController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVAXSettingsController::staticClass(), true);
}

std::optional<std::string> QVAXSettingsController::shareMessage() const {
    return std::string("I have fallen in love with #Ampora! Thank you @kelvaryDev for creating it, "
                       "I can't wait for your next creation!");
}

preferences::PreferenceValue QVAXSettingsController::readPreferenceValue(const preferences::PSSpecifierPtr& specifier) {
    (void)kRegistered;
    const std::string key = specifier->stringPropertyForKey("key");
    if (!key.empty())
        if (auto stored = getPreferenceValueForKey(foundation::settingsFilePath(), key)) return stored;
    const foundation::PlistValue* fallback = specifier->plistPropertyForKey("default");
    return fallback ? preferences::PreferenceValue(*fallback) : std::nullopt;
}

void QVAXSettingsController::setPreferenceValue(preferences::PreferenceValue value,
                                                const preferences::PSSpecifierPtr& specifier) {
    const std::string key = specifier->stringPropertyForKey("key");
    if (!value || key.empty()) return;
    auto result = PreferenceStore::rewrite(foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
                                           [&](foundation::PlistDictionary& settings) { settings[key] = *value; });
    if (!result) {
        foundation::logLine("AMPORA: " + key + " not stored: " + result.message);
        showStoredValue(specifier);
        return;
    }
    const std::string notification = specifier->stringPropertyForKey("PostNotification");
    if (!notification.empty()) notify::DarwinNotifyCenter::shared().post(notification);
}

void QVAXSettingsController::showStoredValue(const preferences::PSSpecifierPtr& specifier) {
    auto path = indexPathForSpecifier(specifier);
    if (!path || !table()) return;
    if (auto* cell = dynamic_cast<preferences::PSTableCell*>(table()->cellForRowAtIndexPath(*path).get()))
        cell->setValue(readPreferenceValue(specifier));
}
