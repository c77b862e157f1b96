#pragma once
// What the host shows besides its PNG: the tray item on the session bus and
// waybar's JSON lines on stdout, both fed by every redraw of the status bar.

#include <memory>
#include <string>

#include "hosts/statusbar/StatusBar.h"
#include "platform/notify/RunLoop.h"

namespace desktop {
class BusConnection;
class Notifications;
}

namespace statusbar {

class LowBatteryNotice;
class SettingsLauncher;
class StatusNotifierItem;
class TrayMenu;

struct DesktopOptions {
    bool tray = false;
    bool waybar = false;
    bool notify = false;  // the low-battery notice
    std::string settingsProgram;
};

class DesktopOutputs {
public:
    // Without a session bus the tray is left out and a line says why; the rest goes on.
    // The tray menu's "Quit" stops `loop`.
    DesktopOutputs(StatusBar& bar, notify::RunLoop& loop, const DesktopOptions& options);
    ~DesktopOutputs();
    DesktopOutputs(const DesktopOutputs&) = delete;
    DesktopOutputs& operator=(const DesktopOutputs&) = delete;

private:
    // A primary click and the menu's "Settings…".
    void openSettings();

    std::unique_ptr<desktop::BusConnection> bus_;
    std::unique_ptr<SettingsLauncher> launcher_;
    bool verbose_ = false;
    std::unique_ptr<TrayMenu> menu_;
    std::unique_ptr<StatusNotifierItem> item_;
    std::unique_ptr<desktop::Notifications> notifications_;
    std::unique_ptr<LowBatteryNotice> notice_;
};

}  // namespace statusbar
