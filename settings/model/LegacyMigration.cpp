#include "settings/model/LegacyMigration.h"

#include <sys/stat.h>

#include <set>

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/KeyCatalogue.h"
#include "settings/model/PreferenceStore.h"

namespace LegacyMigration {
namespace {

// Legacy files that could not be read; by path, since the preferences root may change.
std::set<std::string> gaveUpOn;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool hasCataloguesKind(const KeyCatalogue::Entry& entry, const foundation::PlistValue& value) {
    using Kind = KeyCatalogue::Kind;
    switch (entry.kind) {
        case Kind::Boolean: return value.asBoolean() || value.asInteger();
        case Kind::Number: return value.asInteger() || value.asReal();
        case Kind::Counter: return value.asInteger() != nullptr;
        case Kind::String:
        case Kind::Color: return value.asString() != nullptr;
    }
    return false;
}

}  // namespace

bool shouldOffer() {
    const std::string legacy = foundation::legacySettingsFilePath();
    return !gaveUpOn.count(legacy) && !exists(foundation::settingsFilePath()) && exists(legacy);
}

bool migrate() {
    const foundation::DictionaryRead legacy = foundation::readDictionary(foundation::legacySettingsFilePath());
    if (!legacy.dictionary) {
        gaveUpOn.insert(foundation::legacySettingsFilePath());
        foundation::logLine("AMPORA: old settings not moved over: " +
                            (legacy.problem.empty() ? std::string("the file is gone") : legacy.problem));
        return false;
    }
    foundation::PlistDictionary kept;
    for (const auto& [key, value] : *legacy.dictionary) {
        const KeyCatalogue::Entry* entry = KeyCatalogue::entryForKey(key);
        if (entry && hasCataloguesKind(*entry, value)) kept[key] = value;
        else foundation::logLine("AMPORA: old setting left behind: " + key);
    }
    const auto result = PreferenceStore::rewrite(
        foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty, [&](foundation::PlistDictionary& settings) {
            for (const auto& [key, value] : kept) settings.try_emplace(key, value);
        });
    if (!result) foundation::logLine("AMPORA: FAILED WRITING SETTINGS: " + result.message);
    return bool(result);
}

}  // namespace LegacyMigration
