#pragma once
// Every file of the system lives under one preferences root, laid out as on the device.

#include <optional>
#include <string>

namespace foundation {

// $AMPORA_PREFERENCES, else ${XDG_CONFIG_HOME:-$HOME/.config}/ampora. Read on
// every call so a process (or a test) can point it elsewhere. A root found at
// the old place and none at the new one is moved there first (once, logged).
std::string preferencesRoot();
// ${XDG_DATA_HOME:-$HOME/.local/share}/ampora/Preferences: where the root was kept before.
std::string legacyPreferencesRoot();
std::string settingsFilePath();        // <root>/com.kelvary.ampora.plist
std::string legacySettingsFilePath();  // <root>/com.tarnwick.ampora.plist
std::string themeFolderPath();         // <root>/Ampora/  (ends in "/")
std::string profilesFolderPath();      // <root>/Ampora/Profiles/  (ends in "/")

// A theme name names a file of the theme folder only: no "/", no "..", no NUL.
bool isSafeThemeName(const std::string& name);
// A name that stays a file directly inside a folder: not empty, not "." or
// "..", no "/" and no NUL (which would cut the name short at the system call).
bool isPlainFileName(const std::string& name);
// <root>/Ampora/<name>.js, or nullopt for a name that is not safe (logged once).
std::optional<std::string> themeFilePath(const std::string& name);

// Creates `path` and any missing folders above it with `mode`. On failure,
// `problem` names the path that could not be made and why.
bool createFolders(const std::string& path, std::string& problem, unsigned mode = 0700);

}  // namespace foundation
