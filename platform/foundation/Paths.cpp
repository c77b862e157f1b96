#include "platform/foundation/Paths.h"

#include <cstdlib>

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

}  // namespace foundation
