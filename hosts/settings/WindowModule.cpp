#include "hosts/settings/WindowModule.h"

#include <dlfcn.h>

#include "hosts/settings/BundleLoading.h"

namespace settingshost {

bool runDesktopWindow(const uikit::UIWindowPtr& window, double scale, std::string& error) {
    const std::string path = installedPart("ampora-settings-window.so");
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        error = "cannot load the window module " + path + ": " + (why ? why : "unknown error");
        return false;
    }
    using Run = bool (*)(const uikit::UIWindowPtr*, double, std::string*);
    auto run = reinterpret_cast<Run>(dlsym(module, "amporaRunSettingsWindow"));
    if (!run) {
        error = "the window module " + path + " has no amporaRunSettingsWindow";
        return false;
    }
    // The module stays loaded: its code may still be on the stack of queued blocks.
    return run(&window, scale, &error);
}

}  // namespace settingshost
