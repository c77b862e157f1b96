#pragma once
// The installed themes as the pages see them: the names of the theme folder's
// ".js" files, and a theme's script text for a preview.

#include <optional>
#include <string>
#include <vector>

namespace ThemeFolder {

// The names (without ".js", case-sensitive) in name order; empty when there is no folder.
std::vector<std::string> installedThemes();

// The text of a regular ".js" file of at most 1 MiB in valid UTF-8; nullopt
// for anything else (a folder, a FIFO, a device, a bad name), never blocking.
std::optional<std::string> scriptAt(const std::string& path);
std::optional<std::string> scriptOfTheme(const std::string& name);

}  // namespace ThemeFolder
