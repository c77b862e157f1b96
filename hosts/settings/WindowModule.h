#pragma once
// Opens the desktop window through the module that holds it (see SettingsWindow.cpp).

#include <string>

#include "platform/uikit/views/UIWindow.h"

namespace settingshost {

// Shows `window` until it is closed; false with the reason in `error` when the
// module cannot be loaded or no window opens.
bool runDesktopWindow(const uikit::UIWindowPtr& window, double scale, std::string& error);

}  // namespace settingshost
