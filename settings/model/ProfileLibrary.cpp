#include "settings/model/ProfileLibrary.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/PreferenceStore.h"
#include "settings/model/Profiles.h"

namespace fs = std::filesystem;
using foundation::PlistDictionary;

namespace ProfileLibrary {
namespace {

constexpr std::string_view kSuffix = ".axProfile";

// What writeFileAtomically adds to a file name for its temporary file.
constexpr std::size_t kTemporaryEnding = std::string_view(".tmp.XXXXXX").size();

bool makeFolder(std::string* why = nullptr) {
    std::string problem;
    if (foundation::createFolders(foundation::profilesFolderPath(), problem)) return true;
    foundation::logLine("AMPORA: cannot make the Profiles folder: " + problem);
    if (why) *why = problem;
    return false;
}

bool writeProfile(const PlistDictionary& profile, const std::string& name, std::string* problem = nullptr) {
    auto path = profilePath(name);
    if (!path) {
        if (problem) *problem = "the name cannot be a file name";
        return false;
    }
    return makeFolder(problem) && foundation::writeDictionaryToFile(profile, *path, problem);
}

}  // namespace

std::optional<std::string> profilePath(const std::string& name) {
    if (!foundation::isPlainFileName(name)) return std::nullopt;
    return foundation::profilesFolderPath() + name + std::string(kSuffix);
}

std::vector<std::string> loadProfiles() {
    makeFolder();
    std::vector<std::string> names;
    bool hasDefault = false, hasMostRecent = false;

    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(foundation::profilesFolderPath(), error), end; !error && it != end;
         it.increment(error))
        files.push_back(it->path().filename().string());
    // The device lists a folder in name order; keep that order here too.
    std::sort(files.begin(), files.end());

    for (const auto& file : files) {
        // A file named just ".axProfile" has no name to list.
        if (file.size() <= kSuffix.size() || !file.ends_with(kSuffix)) continue;
        // Without the last extension only, so "My.Set.axProfile" is "My.Set".
        std::string name = file.substr(0, file.size() - kSuffix.size());
        if (name == kDefaultProfile) hasDefault = true;
        else if (name == kMostRecentProfile) hasMostRecent = true;
        else names.push_back(name);
    }
    if (hasMostRecent) names.insert(names.begin(), kMostRecentProfile);
    if (!hasDefault) {
        PlistDictionary profile = colorProfileTemplate();
        profile.merge(otherProfileTemplate());
        writeProfile(profile, kDefaultProfile);
    }
    names.insert(names.begin() + (hasMostRecent ? 1 : 0), kDefaultProfile);
    return names;
}

bool isUsableNewName(const std::string& name) {
    if (name == kDefaultProfile || name == kMostRecentProfile) return false;
    if (name.size() + kSuffix.size() + kTemporaryEnding > NAME_MAX) return false;
    auto path = profilePath(name);
    std::error_code error;
    return path && !fs::exists(fs::symlink_status(*path, error));
}

SaveResult saveProfile(const std::string& name, Kind kind, std::string* problem) {
    if (!isUsableNewName(name)) return SaveResult::NameRefused;
    return saveProfile(name, kind == Kind::Complete ? currentCompleteProfile() : currentColorProfile(), problem);
}

SaveResult saveProfile(const std::string& name, const PlistDictionary& profile, std::string* problem) {
    if (!isUsableNewName(name)) return SaveResult::NameRefused;
    return writeProfile(profile, name, problem) ? SaveResult::Saved : SaveResult::WriteFailed;
}

std::optional<PlistDictionary> readProfile(const std::string& name) {
    auto path = profilePath(name);
    if (!path) return std::nullopt;
    return foundation::readDictionaryFromFile(*path);
}

bool isCompleteProfile(const PlistDictionary& profile) { return profile.count("theme") > 0; }

namespace {

// "Most Recent" is taken from the settings as read under the store's lock, so no
// other writer can slip in between the snapshot and the change.
PreferenceStore::RewriteResult restore(const std::optional<PlistDictionary>& profile, Restore how) {
    const auto saveMostRecent = [](const std::optional<PlistDictionary>& settings) {
        writeProfile(completeProfileOf(settings), kMostRecentProfile);
    };
    PlistDictionary changes;
    if (profile) {
        if (how == Restore::Complete || how == Restore::ColorsWithDefaultOther) {
            changes = *profile;
            if (how == Restore::ColorsWithDefaultOther)
                for (auto& [key, value] : otherProfileTemplate()) changes.insert_or_assign(key, value);
        } else {
            for (const auto& key : colorProfileKeys())
                if (const auto* value = foundation::valueForKey(&*profile, key)) changes.insert_or_assign(key, *value);
        }
    }
    // With no settings file the profile is the whole look: it becomes the file.
    return PreferenceStore::rewrite(
        foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
        [&](PlistDictionary& settings) {
            for (const auto& [key, value] : changes) settings.insert_or_assign(key, value);
        },
        saveMostRecent);
}

}  // namespace

PreferenceStore::RewriteResult restoreProfile(const PlistDictionary& profile, Restore how) {
    return restore(profile, how);
}

PreferenceStore::RewriteResult restoreProfileNamed(const std::string& name, Restore how) {
    // A vanished profile still replaces "Most Recent", then changes nothing.
    return restore(readProfile(name), how);
}

bool deleteProfile(const std::string& name) {
    auto path = profilePath(name);
    std::error_code error;
    return path && fs::remove(*path, error);
}

}  // namespace ProfileLibrary
