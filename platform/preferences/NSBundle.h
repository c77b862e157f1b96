#pragma once
// A bundle: a folder holding an Info.plist, an optional shared library (its
// executable), images and per-language string tables.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"
#include "platform/graphics/Image.h"

namespace preferences {

class NSBundle : public std::enable_shared_from_this<NSBundle> {
public:
    // nullptr when the folder has no readable Info.plist.
    static std::shared_ptr<NSBundle> bundleWithPath(const std::string& path);

    const std::string& bundlePath() const { return path_; }
    const foundation::PlistDictionary& infoDictionary() const { return info_; }
    // A string entry of Info.plist; empty when absent or not a string.
    std::string objectForInfoDictionaryKey(const std::string& key) const;
    std::string bundleIdentifier() const { return objectForInfoDictionaryKey("CFBundleIdentifier"); }
    std::string principalClassName() const { return objectForInfoDictionaryKey("NSPrincipalClass"); }

    // Loads the executable named by CFBundleExecutable once; true when it is loaded
    // (or the bundle has none). The reason of a failure is logged.
    bool load();
    bool isLoaded() const { return loaded_; }

    // "name.ext" inside the bundle (or its en.lproj); empty when there is none.
    std::string pathForResource(const std::string& name, const std::string& extension) const;

    // An image by name, with or without ".png": the variant for the main screen's
    // scale first (name@2x.png), then the others, then the plain file. Remembered.
    graphics::Image imageNamed(const std::string& name) const;

    // The text for `key` from en.lproj/<table or "Localizable">.strings; `value`
    // when there is none, or the key itself when `value` is empty too.
    std::string localizedStringForKey(const std::string& key, const std::string& value = {},
                                      const std::string& table = {}) const;

    // The bundle that classes of a given name were loaded from; nullptr when none
    // was recorded. The host records the classes a bundle's executable brings.
    static std::shared_ptr<NSBundle> bundleForClass(const std::string& className);
    static void setBundleForClass(const std::string& className, std::shared_ptr<NSBundle> bundle);

private:
    explicit NSBundle(std::string path, foundation::PlistDictionary info);
    const foundation::PlistDictionary& stringTable(const std::string& table) const;

    std::string path_;
    foundation::PlistDictionary info_;
    bool loaded_ = false;
    mutable std::map<std::string, foundation::PlistDictionary> tables_;
    mutable std::map<std::string, graphics::Image> images_;
};

}  // namespace preferences
