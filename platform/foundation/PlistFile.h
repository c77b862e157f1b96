#pragma once
// Property-list files as the platform reads and writes them (XML or binary).

#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"

namespace foundation {

// Parses XML or binary property-list bytes; nullopt when they are not a property list.
std::optional<PlistValue> plistFromBytes(const std::string& bytes);
std::string plistToXML(const PlistValue& value);

// nullopt for a missing or unparsable file, or one whose root is not a dictionary.
std::optional<PlistDictionary> readDictionaryFromFile(const std::string& path);

// Written whole through a temporary file, so readers see the old or the new file.
bool writeDictionaryToFile(const PlistDictionary& dictionary, const std::string& path);

}  // namespace foundation
