#include "hosts/settings/BundleLoading.h"

#include <filesystem>

#include "platform/runtime/NSObject.h"

namespace fs = std::filesystem;

namespace settingshost {

std::string installedPart(const std::string& name) {
    std::error_code error;
    const fs::path here = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path beside = here / name;
    if (fs::exists(beside, error)) return beside.string();
    return (here / AMPORA_LIBDIR_FROM_BIN / name).lexically_normal().string();
}

std::shared_ptr<preferences::NSBundle> loadSettingsBundle(const std::string& path, std::string& error) {
    auto bundle = preferences::NSBundle::bundleWithPath(path);
    if (!bundle) {
        error = "no preference bundle at " + path + " (no readable Info.plist)";
        return nullptr;
    }
    if (!bundle->load()) {
        error = "cannot load the library of the bundle at " + path;
        return nullptr;
    }
    return bundle;
}

uikit::UIViewControllerPtr makePage(const std::string& className, std::string& error) {
    runtime::Class* cls = runtime::NSClassFromString(className);
    if (!cls) {
        error = "no page class named \"" + className + "\"";
        return nullptr;
    }
    std::shared_ptr<runtime::NSObject> object;
    try {
        object = runtime::makeInstance(cls);
    } catch (const std::exception& e) {
        error = "making a \"" + className + "\" failed: " + e.what();
        return nullptr;
    }
    if (!object) {
        error = "the class \"" + className + "\" cannot be made from its name";
        return nullptr;
    }
    auto page = std::dynamic_pointer_cast<uikit::UIViewController>(object);
    if (!page) error = "the class \"" + className + "\" is not a page (no view controller)";
    return page;
}

}  // namespace settingshost
