// ampora themes and ampora install-themes.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "engine/QVAXManager.h"
#include "tools/Arguments.h"
#include "tools/Command.h"
#include "tools/ThemeSource.h"

namespace fs = std::filesystem;

namespace tools {
namespace {

const char* kThemesHelp =
    "usage: ampora themes\n"
    "\n"
    "Lists the themes of the theme folder with their types.\n";

const char* kInstallHelp =
    "usage: ampora install-themes [--force] [--from DIR]\n"
    "\n"
    "Copies the shipped themes into the theme folder of the preferences root. A theme\n"
    "already there with other content is kept unless --force is given.\n"
    "\n"
    "  --from DIR   install the .js files of DIR instead of the shipped ones\n";

std::vector<fs::path> scripts(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".js" && it->is_regular_file(error)) found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

// Installed, the shipped themes sit in share/ beside this program's bin/; in
// the build tree they are the source tree's.
std::string shippedThemes() {
    std::error_code error;
    const fs::path installed = fs::read_symlink("/proc/self/exe", error).parent_path() / AMPORA_THEMES_FROM_BIN;
    return !error && fs::is_directory(installed, error) ? installed.lexically_normal().string() : AMPORA_SHIPPED_THEMES;
}

}  // namespace

int themesCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kThemesHelp, stdout), kSuccess;
    try {
        if (!args.positional().empty()) throw UsageError("takes no arguments");
    } catch (const UsageError& e) {
        return usageFailure("themes", e.what(), kThemesHelp);
    }
    const std::string folder = foundation::themeFolderPath();
    const auto found = scripts(folder);
    if (found.empty()) {
        std::printf("no themes in %s (run 'ampora install-themes')\n", folder.c_str());
        return kSuccess;
    }
    for (const auto& path : found) {
        const ThemeFile theme = themeFileAt(path.stem().string(), path.string());
        if (auto why = unusableBecause(theme)) {
            std::printf("%-28s unusable: %s\n", theme.name.c_str(), why->c_str());
            continue;
        }
        std::printf("%-28s %s\n", theme.name.c_str(),
                    QVAXManager::typeForScript(*theme.text) == 1 ? "five parameters" : "seven parameters");
    }
    return kSuccess;
}

int installThemesCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kInstallHelp, stdout), kSuccess;
    bool force = false;
    std::string from = shippedThemes();
    try {
        force = args.flag("--force");
        from = args.value("--from").value_or(from);
        if (!args.positional().empty()) throw UsageError("unexpected argument '" + args.positional()[0] + "'");
        std::error_code error;
        if (!fs::is_directory(from, error)) throw UsageError("no theme folder at " + from);
    } catch (const UsageError& e) {
        return usageFailure("install-themes", e.what(), kInstallHelp);
    }
    const std::string target = foundation::themeFolderPath();
    std::error_code error;
    std::string problem;
    if (!foundation::createFolders(foundation::profilesFolderPath(), problem)) {
        std::fprintf(stderr, "ampora install-themes: nothing installed: %s\n", problem.c_str());
        return kFailure;
    }
    int failures = 0;
    for (const auto& source : scripts(from)) {
        const std::string name = source.filename().string(), destination = target + name;
        auto text = foundation::readUTF8File(source.string(), foundation::ReadLimit::theme, &problem);
        if (!text) {
            std::fprintf(stderr, "ampora install-themes: cannot read %s: it %s\n", source.c_str(), problem.c_str());
            ++failures;
            continue;
        }
        auto existing = foundation::readUTF8File(destination);
        const bool present = fs::exists(destination, error);
        if (present && existing == text) {
            std::printf("unchanged  %s\n", destination.c_str());
        } else if (present && !force) {
            std::printf("kept       %s (it differs from the shipped one; --force replaces it)\n", destination.c_str());
        } else if (foundation::writeFileAtomically(destination, *text, &problem)) {
            std::printf("%s  %s\n", present ? "replaced " : "installed", destination.c_str());
        } else {
            std::fprintf(stderr, "ampora install-themes: %s not installed: %s\n", destination.c_str(), problem.c_str());
            ++failures;
        }
    }
    return failures ? kFailure : kSuccess;
}

}  // namespace tools
