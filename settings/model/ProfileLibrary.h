#pragma once
// The Profiles folder as the pages drive it: listing, saving, restoring, deleting.

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/PlistValue.h"
#include "settings/model/PreferenceStore.h"

namespace ProfileLibrary {

inline constexpr const char* kDefaultProfile = "Default";
inline constexpr const char* kMostRecentProfile = "Most Recent";

// "Most Recent" (when present), "Default" (written from the templates when
// absent), then the other profiles. A missing Profiles folder is made first,
// so that "Default" is always a file.
std::vector<std::string> loadProfiles();

// Empty names, names that would leave the folder ("/", NUL, "." and ".."),
// names too long for a file (with the suffix and the writer's temporary
// ending) and the two reserved names are refused like a taken one.
bool isUsableNewName(const std::string& name);
std::optional<std::string> profilePath(const std::string& name);

enum class Kind { Complete, ColorsOnly };
enum class SaveResult { Saved, NameRefused, WriteFailed };
// Takes the profile of the current settings and writes it under a new name.
SaveResult saveProfile(const std::string& name, Kind kind, std::string* problem = nullptr);
// Writes `profile` under a new name; on WriteFailed, `problem` says why.
SaveResult saveProfile(const std::string& name, const foundation::PlistDictionary& profile,
                       std::string* problem = nullptr);

// nullopt when the file is missing or unreadable.
std::optional<foundation::PlistDictionary> readProfile(const std::string& name);
bool isCompleteProfile(const foundation::PlistDictionary& profile);

enum class Restore {
    Complete,                  // complete profile, every entry
    ColorsOnly,                // complete profile, only its colors
    ColorsKeepingOther,        // color profile, themes and switches stay
    ColorsWithDefaultOther,    // color profile, the other settings back to the template
};
// Saves the current settings as "Most Recent" first, then applies `profile`;
// with no settings file, the file is made from the profile.
PreferenceStore::RewriteResult restoreProfile(const foundation::PlistDictionary& profile, Restore how);
// Reads the named profile before "Most Recent" is replaced, so restoring
// "Most Recent" twice swaps between two states.
PreferenceStore::RewriteResult restoreProfileNamed(const std::string& name, Restore how);

bool deleteProfile(const std::string& name);

}  // namespace ProfileLibrary
