#include "settings/model/PreferenceStore.h"

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"

using foundation::PlistDictionary;
using foundation::PlistValue;

std::optional<PlistValue> getPreferenceValueForKey(const std::string& path, const std::string& key) {
    auto dictionary = foundation::readDictionaryFromFile(path);
    if (const PlistValue* value = foundation::valueForKey(dictionary, key)) return *value;
    return std::nullopt;
}

void setPreferenceValueForKey(const std::string& path, const std::string& key, const PlistValue& value) {
    PreferenceStore::rewrite(path, PreferenceStore::WhenMissing::Skip,
                             [&](PlistDictionary& settings) { settings.insert_or_assign(key, value); });
}

PlistDictionary getSettingsForKeys(const std::vector<std::string>& keys) {
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    PlistDictionary result;
    for (const auto& key : keys)
        if (const PlistValue* value = foundation::valueForKey(settings, key)) result.insert_or_assign(key, *value);
    return result;
}

namespace PreferenceStore {

bool rewrite(const std::string& path, WhenMissing whenMissing,
             const std::function<void(PlistDictionary&)>& change) {
    auto settings = foundation::readDictionaryFromFile(path);
    if (!settings) {
        if (whenMissing == WhenMissing::Skip) return false;
        settings.emplace();
    }
    change(*settings);
    return foundation::writeDictionaryToFile(*settings, path);
}

}  // namespace PreferenceStore
