#pragma once
// Property-list files as the platform reads and writes them (XML or binary).

#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"
#include "platform/foundation/SafeRead.h"

namespace foundation {

// Parses XML or binary property-list bytes; nullopt when they are not a property list.
std::optional<PlistValue> plistFromBytes(const std::string& bytes);
std::string plistToXML(const PlistValue& value);
// What a file holding `value` contains: XML, or the binary form when a date
// needs more than XML can say or a key or string is not text XML can hold
// (not UTF-8, or a control character).
std::string plistFileBytes(const PlistValue& value);

// Deeper nesting than this reads as no property list at all.
inline constexpr int kMaxPlistDepth = 256;

struct DictionaryRead {
    FileRead::Status status = FileRead::Status::Missing;
    std::optional<PlistDictionary> dictionary;  // only when Read
    std::string problem;                        // why it is Unreadable
};
// Read, Missing, or Unreadable (not a regular file, over `limit`, not a property
// list, nested too deep, or a root other than a dictionary), logged once.
DictionaryRead readDictionary(const std::string& path, std::size_t limit = ReadLimit::settings);
// nullopt for a missing or unreadable file.
std::optional<PlistDictionary> readDictionaryFromFile(const std::string& path);

// Written whole through a temporary file, so readers see the old or the new file.
bool writeDictionaryToFile(const PlistDictionary& dictionary, const std::string& path,
                           std::string* problem = nullptr);

}  // namespace foundation
