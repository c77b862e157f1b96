#pragma once
// ampora-settings from its command line to its exit code: loads the bundle,
// builds the window, then runs the script, writes the dump and the screenshot,
// or opens the desktop window.

#include <iosfwd>
#include <string>
#include <vector>

namespace settingshost {

// 0 done, 1 failed (the reason on `err`), 2 bad usage.
int runSettingsHost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace settingshost
