#pragma once
// Single settings read and written outside the pages. Nothing is kept in
// memory: every read parses the file afresh, every write rewrites it whole.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/PlistValue.h"

// The value under `key` in the dictionary at `path`; nullopt when absent or unreadable.
std::optional<foundation::PlistValue> getPreferenceValueForKey(const std::string& path, const std::string& key);
// Sets one key and writes the file back. A missing or unreadable file is left alone.
void setPreferenceValueForKey(const std::string& path, const std::string& key, const foundation::PlistValue& value);
// The settings file's values for those of `keys` it holds.
foundation::PlistDictionary getSettingsForKeys(const std::vector<std::string>& keys);

namespace PreferenceStore {

enum class WhenMissing {
    Skip,        // no file, no write
    StartEmpty,  // the first write creates the file
};

// The rewrite every writer shares: read whole, change in memory, write whole and
// atomically. Returns whether a new file is in place.
bool rewrite(const std::string& path, WhenMissing whenMissing,
             const std::function<void(foundation::PlistDictionary&)>& change);

}  // namespace PreferenceStore
