#include "settings/pages/ThemeFolder.h"

#include <algorithm>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"

namespace ThemeFolder {

std::vector<std::string> installedThemes() {
    std::vector<std::string> themes;
    std::error_code error;
    for (std::filesystem::directory_iterator it(foundation::themeFolderPath(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 3 && name.ends_with(".js")) themes.push_back(name.substr(0, name.size() - 3));
    }
    // The folder's own order is arbitrary here; people look for a theme by name.
    std::sort(themes.begin(), themes.end());
    return themes;
}

std::optional<std::string> scriptAt(const std::string& path) {
    if (!path.ends_with(".js")) return std::nullopt;
    std::string problem;
    auto text = foundation::readUTF8File(path, foundation::ReadLimit::theme, &problem);
    if (!text && !problem.empty()) foundation::logUnreadableOnce(path, problem);
    return text;
}

std::optional<std::string> scriptOfTheme(const std::string& name) {
    auto path = foundation::themeFilePath(name);
    return path ? scriptAt(*path) : std::nullopt;
}

}  // namespace ThemeFolder
