#include "platform/foundation/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>

#include "platform/foundation/Log.h"
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

namespace {

std::string homeOr(const char* variable, const char* underHome) {
    std::string folder = nonEmptyEnv(variable);
    // The base-directory rules ignore a relative path.
    if (folder.empty() || folder[0] != '/') {
        const std::string home = nonEmptyEnv("HOME");
        folder = (home.empty() ? std::string("/tmp") : home) + underHome;
    }
    return withoutTrailingSlash(folder);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Across file systems: a copy beside the new place, renamed into it whole, so
// the new root is never seen half made.
bool copyThenRename(const std::string& from, const std::string& to, std::string& problem) {
    namespace fs = std::filesystem;
    const std::string partial = to + ".moving-" + std::to_string(::getpid());
    std::error_code error;
    fs::remove_all(partial, error);
    fs::copy(from, partial, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (!error && ::rename(partial.c_str(), to.c_str()) != 0) error = std::error_code(errno, std::generic_category());
    if (error) {
        problem = error.message();
        fs::remove_all(partial, error);
        return false;
    }
    fs::remove_all(from, error);
    return true;
}

// Moves a root left at the old place to the new one, once per process. On
// failure the old root stays in use, so that no setting is lost.
std::string movedOnce(const std::string& oldRoot, const std::string& newRoot) {
    static std::mutex lock;
    static std::set<std::string> settled;  // new roots already looked at
    static std::map<std::string, std::string> kept;  // new root -> old root still in use
    std::lock_guard guard(lock);
    if (settled.insert(newRoot).second && isFolder(oldRoot) && !exists(newRoot)) {
        std::string problem;
        bool moved = createFolders(newRoot.substr(0, newRoot.rfind('/')), problem);
        if (moved && ::rename(oldRoot.c_str(), newRoot.c_str()) != 0) {
            const int error = errno;
            if (error == EXDEV) moved = copyThenRename(oldRoot, newRoot, problem);
            // Another process may have moved it first.
            else if (!(error == ENOENT && isFolder(newRoot))) moved = false, problem = std::strerror(error);
        }
        if (moved) {
            ::rmdir(oldRoot.substr(0, oldRoot.rfind('/')).c_str());  // the old "ampora" folder, when left empty
            logLine("AMPORA: moved the preferences root from " + oldRoot + " to " + newRoot);
        } else {
            logLine("AMPORA: the preferences root stays at " + oldRoot + ": it cannot be moved to " + newRoot + ": " +
                    problem);
            kept[newRoot] = oldRoot;
        }
    }
    const auto stayed = kept.find(newRoot);
    return stayed == kept.end() ? newRoot : stayed->second;
}

}  // namespace

std::string legacyPreferencesRoot() { return homeOr("XDG_DATA_HOME", "/.local/share") + "/ampora/Preferences"; }

std::string preferencesRoot() {
    if (auto root = nonEmptyEnv("AMPORA_PREFERENCES"); !root.empty()) return withoutTrailingSlash(root);
    return movedOnce(legacyPreferencesRoot(), homeOr("XDG_CONFIG_HOME", "/.config") + "/ampora");
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
