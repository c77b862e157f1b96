#pragma once
// Every file of the system lives under one preferences root, laid out as on the device.

#include <string>

namespace foundation {

// $AMPORA_PREFERENCES, else ${XDG_DATA_HOME:-$HOME/.local/share}/ampora/Preferences.
// Read on every call so a process (or a test) can point it elsewhere.
std::string preferencesRoot();
std::string settingsFilePath();        // <root>/com.kelvary.ampora.plist
std::string legacySettingsFilePath();  // <root>/com.tarnwick.ampora.plist
std::string themeFolderPath();         // <root>/Ampora/  (ends in "/")
std::string profilesFolderPath();      // <root>/Ampora/Profiles/  (ends in "/")

}  // namespace foundation
