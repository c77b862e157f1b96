#pragma once

#include <string>

namespace foundation {

// Writes a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On failure the old file is left as it was. Returns success.
bool writeFileAtomically(const std::string& path, const std::string& contents);

}  // namespace foundation
