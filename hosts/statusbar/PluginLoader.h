#pragma once

#include <string>
#include <vector>

namespace statusbar {

// Loads every shared library (*.so) of `folder`, in name order, as the
// substrate loads tweaks; their load-time initialisers run now. Returns the
// names loaded; failures are logged and skipped.
std::vector<std::string> loadPlugins(const std::string& folder);
// The folder of this program's own binary.
std::string hostFolder();

}  // namespace statusbar
