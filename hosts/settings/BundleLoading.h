#pragma once
// Finding and loading the preference bundle, and making its pages by class name.

#include <memory>
#include <string>

#include "platform/preferences/NSBundle.h"
#include "platform/uikit/navigation/UIViewController.h"

namespace settingshost {

// A part of the installation by name: beside the program in the build tree,
// else in the installation's ../lib/ampora/.
std::string installedPart(const std::string& name);

// The installed part amporasettings.bundle.
inline std::string defaultBundlePath() { return installedPart("amporasettings.bundle"); }

// The bundle at `path` with its library loaded; nullptr with the reason in `error`.
std::shared_ptr<preferences::NSBundle> loadSettingsBundle(const std::string& path, std::string& error);

// A new page of the registered class `className`; nullptr with the reason in
// `error` when there is no such class, it cannot be made, or it is no page.
uikit::UIViewControllerPtr makePage(const std::string& className, std::string& error);

}  // namespace settingshost
