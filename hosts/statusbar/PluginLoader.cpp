#include "hosts/statusbar/PluginLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "platform/foundation/Log.h"

namespace fs = std::filesystem;

namespace statusbar {

std::vector<std::string> loadPlugins(const std::string& folder) {
    std::vector<fs::path> candidates;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".so" && it->is_regular_file(error)) candidates.push_back(it->path());
    std::sort(candidates.begin(), candidates.end());
    std::vector<std::string> loaded;
    for (const auto& path : candidates) {
        // Plug-ins stay loaded for the life of the process, as on the device.
        if (::dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL)) loaded.push_back(path.filename().string());
        else foundation::logLine(std::string("AMPORA: cannot load plug-in ") + path.string() + ": " + ::dlerror());
    }
    return loaded;
}

std::string hostFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

}  // namespace statusbar
