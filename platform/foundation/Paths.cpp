#include "platform/foundation/Paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/foundation/SafeRead.h"

namespace foundation {
namespace {

std::string nonEmptyEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string preferencesRoot() {
    if (auto root = nonEmptyEnv("AMPORA_PREFERENCES"); !root.empty()) return withoutTrailingSlash(root);
    std::string data = nonEmptyEnv("XDG_DATA_HOME");
    if (data.empty()) {
        std::string home = nonEmptyEnv("HOME");
        data = (home.empty() ? std::string("/tmp") : home) + "/.local/share";
    }
    return withoutTrailingSlash(data) + "/ampora/Preferences";
}

std::string settingsFilePath() { return preferencesRoot() + "/com.kelvary.ampora.plist"; }
std::string legacySettingsFilePath() { return preferencesRoot() + "/com.tarnwick.ampora.plist"; }
std::string themeFolderPath() { return preferencesRoot() + "/Ampora/"; }
std::string profilesFolderPath() { return themeFolderPath() + "Profiles/"; }

bool isSafeThemeName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find("..") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::optional<std::string> themeFilePath(const std::string& name) {
    if (!isSafeThemeName(name)) {
        logUnreadableOnce("theme '" + name + "'", "the name leaves the theme folder; refused");
        return std::nullopt;
    }
    return themeFolderPath() + name + ".js";
}

bool createFolders(const std::string& path, std::string& problem, unsigned mode) {
    std::string made;
    std::size_t at = 0;
    while (at != std::string::npos) {
        const std::size_t next = path.find('/', at + 1);
        made = path.substr(0, next);
        at = next;
        if (made.empty() || made == "/") continue;
        if (::mkdir(made.c_str(), mode_t(mode)) == 0 || errno == EEXIST) {
            struct stat info {};
            if (::stat(made.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) continue;
            problem = "cannot create folder " + made + ": a file of that name is in the way";
            return false;
        }
        problem = "cannot create folder " + made + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace foundation
