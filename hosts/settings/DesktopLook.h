#pragma once
// The window's light or dark look as the desktop sets it: the portal's color
// scheme, else the GTK theme (Xfce's as xfconfd holds it), else light;
// followed while the window is open, and the open pages restyle at their next
// frame.

#include <chrono>
#include <memory>

#include "platform/desktop/BusConnection.h"
#include "platform/desktop/ColorScheme.h"
#include "platform/notify/RunLoop.h"

namespace settingshost {

class DesktopLook {
public:
    explicit DesktopLook(notify::RunLoop& loop);
    // Runs the loop until the desktop first answered, or for `limit` at most,
    // so that the first frame already has the desktop's look.
    void awaitFirstAnswer(std::chrono::milliseconds limit);

private:
    void show(desktop::ColorScheme scheme);

    notify::RunLoop& loop_;
    std::unique_ptr<desktop::BusConnection> bus_;
    std::unique_ptr<desktop::ColorSchemeWatch> watch_;
};

}  // namespace settingshost
