#pragma once
// How settings read whatever kind of value the file holds: a boolean or number
// is taken from any value, and a default applies only to an absent key.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"

namespace foundation {

// YES for a non-zero number, or a string that after leading white space begins
// with Y, y, T, t or a digit 1 to 9. Anything else (and nil) is NO.
bool boolValue(const PlistValue* value);
// Integer part of a number, or of the decimal number a string begins with; else 0.
std::int32_t intValue(const PlistValue* value);
// A number, or the decimal number a string begins with; else 0.
double doubleValue(const PlistValue* value);
// The text of a string value; nullopt for any other kind.
std::optional<std::string> stringValue(const PlistValue* value);

bool boolForKey(const PlistDictionary* settings, const std::string& key);
std::int32_t intForKey(const PlistDictionary* settings, const std::string& key, std::int32_t whenAbsent = 0);
double doubleForKey(const PlistDictionary* settings, const std::string& key, double whenAbsent = 0);
// A present key holding something other than a string reads as nullopt.
std::optional<std::string> stringForKey(const PlistDictionary* settings, const std::string& key);

}  // namespace foundation
