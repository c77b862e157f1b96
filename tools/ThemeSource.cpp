#include "tools/ThemeSource.h"

#include <cstdio>
#include <filesystem>

#include "common/ThemeSignature.h"
#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"

namespace fs = std::filesystem;

namespace tools {
namespace {

ThemeFile load(const std::string& name, const std::string& path) { return themeFileAt(name, path); }

const char* kBuiltIn = "Ampora Connect";

// Why the engine could not use theme `name`, and whether it then tried the
// built-in theme (it does for a missing theme or an unusable parameter list).
std::string whyThemeFailed(const std::string& name, bool& fellBack) {
    fellBack = name != kBuiltIn;
    const auto path = foundation::themeFilePath(name);
    if (!path) return "the name leaves the theme folder";
    const ThemeFile theme = load(name, *path);
    if (!theme.text && theme.problem == "does not exist") return "there is no " + *path;
    const auto why = unusableBecause(theme);
    fellBack = fellBack && why && theme.text && foundation::utf16Length(*theme.text) > 99;
    return why ? *path + ": " + *why : *path + " loaded, but the engine refused it";
}

}  // namespace

ThemeFile themeFileAt(const std::string& name, const std::string& path) {
    ThemeFile theme{name, path, std::nullopt, {}};
    theme.text = foundation::readUTF8File(path, foundation::ReadLimit::theme, &theme.problem);
    return theme;
}

std::optional<ThemeFile> themeFromOptions(Arguments& args) {
    auto theme = args.value("--theme");
    auto script = args.value("--script");
    if (theme && script) throw UsageError("give --theme or --script, not both");
    std::error_code error;
    if (theme) {
        const auto path = foundation::themeFilePath(*theme);
        if (!path)
            throw UsageError("a theme name cannot hold '/' or '..': '" + *theme + "' (use --script FILE for a file elsewhere)");
        if (!fs::exists(fs::symlink_status(*path, error))) throw UsageError("no theme '" + *theme + "': looked for " + *path);
        return load(*theme, *path);
    }
    if (script) {
        if (!fs::exists(fs::symlink_status(*script, error))) throw UsageError("no script file " + *script);
        return load(fs::path(*script).stem().string(), *script);
    }
    return std::nullopt;
}

ThemeFile themeByNameOrFile(const std::string& nameOrFile) {
    std::error_code error;
    const std::string inFolder = foundation::themeFolderPath() + nameOrFile + ".js";
    if (foundation::isSafeThemeName(nameOrFile) && fs::exists(fs::symlink_status(inFolder, error)))
        return load(nameOrFile, inFolder);
    if (fs::exists(fs::symlink_status(nameOrFile, error))) return load(fs::path(nameOrFile).stem().string(), nameOrFile);
    throw UsageError("no theme '" + nameOrFile + "': looked for " + inFolder + " and for a file of that name");
}

std::optional<std::string> unusableBecause(const ThemeFile& theme) {
    if (!theme.text) return "the file cannot be read: " + foundation::problemClause(theme.problem.empty() ? "is not UTF-8 text" : theme.problem);
    const size_t length = foundation::utf16Length(*theme.text);
    if (length <= 99) return "the script is " + std::to_string(length) + " characters long; at least 100 are needed";
    auto list = ThemeSignature::findParameterList(*theme.text);
    if (!list) return "no parameter list such as (height, level, charging, low, color) was found";
    if (list->commas != 4 && list->commas != 6)
        return "the parameter list " + list->text + " has " + std::to_string(list->commas + 1) +
               " names; themes take 5 or 7";
    return std::nullopt;
}

void prepareEngine(QVAXManager& manager, const std::optional<ThemeFile>& override) {
    manager.setEnabled(true);
    if (override && override->path == foundation::themeFolderPath() + override->name + ".js") {
        manager.setPrimaryTheme(override->name);
        manager.setTheme(override->name);
    } else if (override) {
        // A file outside the theme folder is handed to the engine as the loaded script.
        manager.setScript(override->text);
        manager.setThemeType(override->text && !unusableBecause(*override)
                                 ? QVAXManager::typeForScript(*override->text) : 0);
        manager.setEnabled(manager.themeType() != 0);
    } else {
        manager.setTheme(manager.primaryTheme());
    }
}

bool startEngine(QVAXManager& manager, const std::optional<ThemeFile>& override, const char* command) {
    if (override)
        if (auto why = unusableBecause(*override)) {
            std::fprintf(stderr, "ampora %s: theme '%s' cannot be used: %s\n", command, override->name.c_str(), why->c_str());
            return false;
        }
    const auto settings = foundation::readDictionary(foundation::settingsFilePath());
    if (settings.status == foundation::FileRead::Status::Unreadable)
        std::fprintf(stderr, "ampora %s: the settings file %s %s; drawing with the default settings\n", command,
                     foundation::settingsFilePath().c_str(), settings.problem.c_str());
    prepareEngine(manager, override);
    if (manager.enabled() && manager.script()) return true;
    const std::string name = override ? override->name : manager.primaryTheme();
    bool fellBack = false;
    const std::string why = whyThemeFailed(name, fellBack);
    std::string message = "no usable theme: '" + name + "' failed: " + why;
    if (fellBack) {
        bool again = false;
        message += "; the built-in '" + std::string(kBuiltIn) + "' was tried instead and failed: " + whyThemeFailed(kBuiltIn, again);
    }
    std::fprintf(stderr, "ampora %s: %s (run 'ampora check' on it, or 'ampora install-themes')\n", command, message.c_str());
    return false;
}

bool writeResult(const std::string& output, const std::string& bytes, const char* command) {
    std::string problem;
    if (foundation::writeOutputFile(output, bytes, problem)) return true;
    std::fprintf(stderr, "ampora %s: nothing written: %s\n", command, problem.c_str());
    return false;
}

std::string outputAndNothingElse(Arguments& args) {
    const std::string output = args.value("-o").value_or("");
    if (output.empty()) throw UsageError("-o FILE.png is required");
    const auto rest = args.positional();
    if (!rest.empty()) throw UsageError("unexpected argument '" + rest[0] + "'");
    return output;
}

}  // namespace tools
