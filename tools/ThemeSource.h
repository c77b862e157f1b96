#pragma once
// Which theme a command works on: a name in the theme folder or a script file,
// and what can be said about it before it runs.

#include <optional>
#include <string>

#include "engine/QVAXManager.h"
#include "tools/Arguments.h"

namespace tools {

struct ThemeFile {
    std::string name;  // theme name, or the file's name
    std::string path;
    std::optional<std::string> text;  // nullopt: missing, unreadable or not UTF-8
    std::string problem;              // why there is no text, e.g. "is a FIFO, not a regular file"
};

// --theme NAME (in the theme folder) or --script FILE; nullopt when neither was
// given. A name or file that does not exist is a UsageError saying where it looked.
std::optional<ThemeFile> themeFromOptions(Arguments& args);
// The theme file at `path`, read with the size cap of a theme.
ThemeFile themeFileAt(const std::string& name, const std::string& path);
// NAME in the theme folder, else FILE; a UsageError when neither exists.
ThemeFile themeByNameOrFile(const std::string& nameOrFile);

// Why a script cannot be used, or nullopt when it can.
std::optional<std::string> unusableBecause(const ThemeFile& theme);

// An engine reading the preferences root, switched on as if `enabled` were set,
// with `override` (when given) in place of the selected primary theme.
void prepareEngine(QVAXManager& manager, const std::optional<ThemeFile>& override);
// prepareEngine, after refusing an unusable override; false (with the reason on
// stderr, as "ampora <command>: ...") when no usable theme could be loaded.
bool startEngine(QVAXManager& manager, const std::optional<ThemeFile>& override, const char* command);

// "-o FILE", required, and nothing else left on the command line.
std::string outputAndNothingElse(Arguments& args);
// Writes a command's result to -o's FILE ("-": standard output); false, with
// "ampora <command>: ..." on stderr, when that failed.
bool writeResult(const std::string& output, const std::string& bytes, const char* command);

}  // namespace tools
