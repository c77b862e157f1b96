#pragma once
// Profiles: named snapshots of part of the settings. A complete profile holds
// `theme`; a color profile holds only the 17 color settings.

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/PlistValue.h"

std::vector<std::string> colorProfileKeys();
std::vector<std::string> otherProfileKeys();
foundation::PlistDictionary colorProfileTemplate();
// The 9 other keys plus `chargeSym` and `ignoreCC`.
foundation::PlistDictionary otherProfileTemplate();

// The template, overlaid with the values the settings file holds for its keys.
foundation::PlistDictionary currentColorProfile();
foundation::PlistDictionary currentCompleteProfile();
// The complete profile of the given settings (nullopt: no settings file).
foundation::PlistDictionary completeProfileOf(const std::optional<foundation::PlistDictionary>& settings);

// Write every entry of the profile, or only its color entries, into the settings
// file. A missing settings file is left missing. Neither posts the notification.
void applyProfile(const foundation::PlistDictionary& profile);
void applyOnlyColorProfile(const foundation::PlistDictionary& profile);
