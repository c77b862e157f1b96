#include "platform/preferences/NSBundle.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/foundation/PlistFile.h"
#include "platform/runtime/Runtime.h"

namespace preferences {
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::shared_ptr<NSBundle>>& classBundles() {
    static auto* m = new std::map<std::string, std::shared_ptr<NSBundle>>();
    return *m;
}

bool isRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::string readSmallFile(const fs::path& p) {
    constexpr std::uintmax_t kImageCap = 16u << 20;
    std::error_code ec;
    if (!isRegularFile(p) || fs::file_size(p, ec) > kImageCap || ec) return {};
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

NSBundle::NSBundle(std::string path, foundation::PlistDictionary info) : path_(std::move(path)), info_(std::move(info)) {}

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(const std::string& path) {
    auto info = foundation::readDictionaryFromFile((fs::path(path) / "Info.plist").string());
    if (!info) return nullptr;
    return std::shared_ptr<NSBundle>(new NSBundle(path, std::move(*info)));
}

std::string NSBundle::objectForInfoDictionaryKey(const std::string& key) const {
    const foundation::PlistValue* v = foundation::valueForKey(&info_, key);
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : std::string();
}

bool NSBundle::load() {
    if (loaded_) return true;
    const std::string executable = objectForInfoDictionaryKey("CFBundleExecutable");
    if (executable.empty() || executable.find('/') != std::string::npos) {
        loaded_ = executable.empty();
        if (!loaded_) foundation::logLine("AMPORA: bundle " + path_ + " names an executable outside itself");
        return loaded_;
    }
    const std::string file = (fs::path(path_) / executable).string();
    const std::vector<std::string> before = runtime::allClassNames();
    // Kept for the life of the process, as the platform keeps loaded bundles.
    if (!dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
        const char* why = dlerror();
        foundation::logLine("AMPORA: cannot load " + file + ": " + (why ? why : "unknown error"));
        return false;
    }
    loaded_ = true;
    // The classes the executable brought belong to this bundle.
    const std::set<std::string> known(before.begin(), before.end());
    for (const std::string& name : runtime::allClassNames())
        if (!known.count(name)) setBundleForClass(name, shared_from_this());
    return true;
}

std::string NSBundle::pathForResource(const std::string& name, const std::string& extension) const {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    const std::string file = extension.empty() ? name : name + "." + extension;
    for (const fs::path& dir : {fs::path(path_), fs::path(path_) / "en.lproj"})
        if (isRegularFile(dir / file)) return (dir / file).string();
    return {};
}

graphics::Image NSBundle::imageNamed(const std::string& name) const {
    if (name.empty() || name.find('/') != std::string::npos) return nullptr;
    if (auto it = images_.find(name); it != images_.end()) return it->second;
    std::string base = name;
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".png") == 0) base.resize(base.size() - 4);

    const int screen = graphics::mainScreenScale() >= 2.5 ? 3 : graphics::mainScreenScale() >= 1.5 ? 2 : 1;
    std::vector<int> order{screen};
    for (int scale : {3, 2, 1})
        if (scale != screen) order.push_back(scale);
    graphics::Image image;
    for (int scale : order) {
        const std::string file = scale == 1 ? base + ".png" : base + "@" + std::to_string(scale) + "x.png";
        const std::string bytes = readSmallFile(fs::path(path_) / file);
        if (!bytes.empty() && (image = graphics::UIImage::imageWithData(bytes, scale))) break;
    }
    images_[name] = image;
    return image;
}

const foundation::PlistDictionary& NSBundle::stringTable(const std::string& table) const {
    const std::string name = table.empty() ? "Localizable" : table;
    auto it = tables_.find(name);
    if (it != tables_.end()) return it->second;
    foundation::PlistDictionary strings;
    if (name.find('/') == std::string::npos) {
        const std::string file = (fs::path(path_) / "en.lproj" / (name + ".strings")).string();
        if (auto read = foundation::readDictionaryFromFile(file)) strings = std::move(*read);
    }
    return tables_.emplace(name, std::move(strings)).first->second;
}

std::string NSBundle::localizedStringForKey(const std::string& key, const std::string& value,
                                            const std::string& table) const {
    const foundation::PlistValue* v = foundation::valueForKey(&stringTable(table), key);
    if (const std::string* s = v ? v->asString() : nullptr) return *s;
    return value.empty() ? key : value;
}

std::shared_ptr<NSBundle> NSBundle::bundleForClass(const std::string& className) {
    auto it = classBundles().find(className);
    return it == classBundles().end() ? nullptr : it->second;
}

void NSBundle::setBundleForClass(const std::string& className, std::shared_ptr<NSBundle> bundle) {
    classBundles()[className] = std::move(bundle);
}

}  // namespace preferences
