#pragma once

#include <chrono>
#include <string>

namespace foundation {

// Writes a temporary file beside `path` (named "<path>.tmp.XXXXXX"), flushes it
// to disk and renames it over `path`. On failure the old file is left as it
// was and `problem`, when given, says what failed. Returns success.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* problem = nullptr);

// Removes temporary files of writeFileAtomically's naming for `path` that are
// older than `age`: what writers killed mid-write left behind.
void removeStaleTemporaries(const std::string& path, std::chrono::seconds age = std::chrono::seconds(60));

// Where a command writes what it made: "-" is standard output; a missing path or
// a regular file is replaced atomically; anything else (a device, a FIFO) is
// written in place. Every write and the close are checked.
bool writeOutputFile(const std::string& path, const std::string& contents, std::string& problem);

}  // namespace foundation
