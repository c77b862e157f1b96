#include "tools/ThemeSource.h"

#include <cstdio>
#include <filesystem>

#include "common/ThemeSignature.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"

namespace fs = std::filesystem;

namespace tools {
namespace {

ThemeFile load(const std::string& name, const std::string& path) {
    return {name, path, foundation::readUTF8File(path)};
}

}  // namespace

std::optional<ThemeFile> themeFromOptions(Arguments& args) {
    auto theme = args.value("--theme");
    auto script = args.value("--script");
    if (theme && script) throw UsageError("give --theme or --script, not both");
    std::error_code error;
    if (theme) {
        const std::string path = foundation::themeFolderPath() + *theme + ".js";
        if (!fs::is_regular_file(path, error)) throw UsageError("no theme '" + *theme + "': looked for " + path);
        return load(*theme, path);
    }
    if (script) {
        if (!fs::is_regular_file(*script, error)) throw UsageError("no script file " + *script);
        return load(fs::path(*script).stem().string(), *script);
    }
    return std::nullopt;
}

ThemeFile themeByNameOrFile(const std::string& nameOrFile) {
    std::error_code error;
    const std::string inFolder = foundation::themeFolderPath() + nameOrFile + ".js";
    if (nameOrFile.find('/') == std::string::npos && fs::is_regular_file(inFolder, error)) return load(nameOrFile, inFolder);
    if (fs::is_regular_file(nameOrFile, error)) return load(fs::path(nameOrFile).stem().string(), nameOrFile);
    throw UsageError("no theme '" + nameOrFile + "': looked for " + inFolder + " and for a file of that name");
}

std::optional<std::string> unusableBecause(const ThemeFile& theme) {
    if (!theme.text) return "the file cannot be read as UTF-8 text";
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
    prepareEngine(manager, override);
    if (manager.enabled() && manager.script()) return true;
    std::fprintf(stderr, "ampora %s: no usable theme: '%s' and the built-in 'Ampora Connect' both failed "
                         "(run 'ampora check' on them, or 'ampora install-themes')\n",
                 command, manager.primaryTheme().c_str());
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
