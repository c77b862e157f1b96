#pragma once

#include <string>

namespace foundation {

// To the system log, and to stderr when a person is watching a terminal.
void logLine(const std::string& line);

}  // namespace foundation
