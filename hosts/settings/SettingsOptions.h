#pragma once
// The command line of ampora-settings.

#include <stdexcept>
#include <string>
#include <vector>

namespace settingshost {

struct SettingsOptions {
    std::string page;  // empty: the bundle's first page
    double width = 375, height = 667;  // points, portrait
    double scale = 2;
    bool scaleGiven = false;   // else the window takes the desktop's scale
    bool settingsRoot = false;  // starts at a "Settings" page with one "Ampora" row
    // The window follows the desktop's light or dark setting; screenshots and
    // scripts are light unless told, so that they show the same on any desktop.
    enum class Look { desktop, light, dark };
    Look look = Look::desktop;
    std::string screenshot, script, dump;
    std::string bundle;  // empty: found from the program's own place
    std::string root;    // empty: the usual preferences root
    bool help = false;

    // Without a screenshot, script or dump the host opens a window.
    bool opensWindow() const { return screenshot.empty() && script.empty() && dump.empty(); }
};

// Bad usage: the message is shown with the usage, and the exit code is 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The options after the program's name; "--name value" or "--name=value".
SettingsOptions parseSettingsOptions(const std::vector<std::string>& args);

extern const char* const kSettingsUsage;

}  // namespace settingshost
