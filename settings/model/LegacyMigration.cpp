#include "settings/model/LegacyMigration.h"

#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <set>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/foundation/SafeRead.h"
#include "settings/model/KeyCatalogue.h"
#include "settings/model/PreferenceStore.h"

namespace LegacyMigration {
namespace {

// Legacy files that could not be read in this launch, by path and identity: also
// where the mark for later launches cannot be written.
std::set<std::string> gaveUpOn;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The legacy file's identity: a file put back or rewritten is offered again.
std::optional<std::string> identity(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
           std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

// Where later launches learn which legacy file could not be read.
std::string unreadableMarkPath() { return foundation::preferencesRoot() + "/.com.tarnwick.ampora.unreadable"; }

bool markedUnreadable(const std::string& id) {
    std::string marked;
    std::ifstream mark(unreadableMarkPath());
    std::getline(mark, marked);
    return marked == id;
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
    const auto id = identity(legacy);
    return id && !exists(foundation::settingsFilePath()) && !gaveUpOn.count(legacy + "\n" + *id) &&
           !markedUnreadable(*id);
}

Outcome migrate() {
    const std::string path = foundation::legacySettingsFilePath();
    const foundation::DictionaryRead legacy = foundation::readDictionary(path);
    if (!legacy.dictionary) {
        const auto id = identity(path);
        if (id) gaveUpOn.insert(path + "\n" + *id);
        // "it is not a property list" reads as "the file is not a property list".
        std::string why = legacy.problem.empty() ? "it is gone" : foundation::problemClause(legacy.problem);
        why = why.starts_with("it ") ? "the file " + why.substr(3) : "the file cannot be read: " + why;
        Outcome failed{false, why};
        foundation::logLine("AMPORA: old settings not moved over: " + failed.problem);
        // A mark that cannot be written only means the offer comes again next launch.
        if (id) foundation::writeFileAtomically(unreadableMarkPath(), *id + "\n");
        return failed;
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
    return {bool(result), result ? std::string() : result.message};
}

}  // namespace LegacyMigration
