#include "hosts/statusbar/InstallLayout.h"

#include <filesystem>

#include "hosts/statusbar/PluginLoader.h"

namespace fs = std::filesystem;

namespace statusbar {

namespace {
bool installed(fs::path& plugins) {
    plugins = fs::path(hostFolder()) / AMPORA_PLUGINS_FROM_BIN;
    std::error_code error;
    return fs::is_directory(plugins, error);
}
}  // namespace

std::string defaultPluginFolder() {
    fs::path plugins;
    return installed(plugins) ? plugins.lexically_normal().string() : hostFolder();
}

std::string settingsProgram() {
    fs::path plugins;
    const fs::path here = hostFolder();
    // The build tree keeps each host in its own folder.
    return ((installed(plugins) ? here : here.parent_path() / "settings") / "ampora-settings").string();
}

}  // namespace statusbar
