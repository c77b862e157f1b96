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

struct RewriteResult {
    enum class Outcome { Written, SkippedMissing, RefusedUnreadable, Failed };
    Outcome outcome = Outcome::Failed;
    std::string message;  // for a person: what was tried and what failed
    explicit operator bool() const { return outcome == Outcome::Written; }
};

// Called under the lock with what was read (nullopt: no file), before `change`.
using BeforeChange = std::function<void(const std::optional<foundation::PlistDictionary>&)>;

// The rewrite every writer shares: read whole, change in memory, write whole and
// atomically, all under an advisory lock on "<path>.lock" so that concurrent
// writers never lose each other's changes. A file that exists but cannot be
// read is never replaced: the rewrite is refused and the file left as it is.
RewriteResult rewrite(const std::string& path, WhenMissing whenMissing,
                      const std::function<void(foundation::PlistDictionary&)>& change,
                      const BeforeChange& beforeChange = {});

// The message of the last rewrite of this process that was refused or failed,
// for a page that learns of it only through a row's setter; cleared by a write.
const std::string& lastProblem();

}  // namespace PreferenceStore
