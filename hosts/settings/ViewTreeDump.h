#pragma once
// The visible view tree as text, for scripts and --dump: one view a line.

#include <string>

#include "platform/uikit/views/UIWindow.h"

namespace settingshost {

// A header saying what is left out, then per visible view: two spaces per
// depth, the class, the frame in window points {x, y, width, height}, the
// shown text in double quotes, and "alpha A" when the view is translucent.
std::string dumpViewTree(uikit::UIWindow& window);

// False when the file cannot be written.
bool writeViewTree(uikit::UIWindow& window, const std::string& path);

}  // namespace settingshost
