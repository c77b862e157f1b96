#include "hosts/statusbar/DesktopOutputs.h"

#include <cstdio>

#include "hosts/statusbar/BatterySummary.h"
#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/SettingsLauncher.h"
#include "hosts/statusbar/StatusNotifierItem.h"
#include "hosts/statusbar/TrayMenu.h"
#include "hosts/statusbar/power/LowBatteryNotice.h"
#include "platform/foundation/Log.h"

namespace statusbar {

DesktopOutputs::DesktopOutputs(StatusBar& bar, notify::RunLoop& loop, const DesktopOptions& options) {
    if (options.waybar)
        bar.addRedrawObserver([](const graphics::Image&, const BatteryState& battery) {
            std::printf("%s\n", waybarLine(battery).c_str());
            std::fflush(stdout);
        });
    if (!options.tray && !options.notify) return;
    std::string error;
    if (!(bus_ = desktop::BusConnection::openSession(loop, error, "the tray icon is gone"))) {
        // Only the notice wanted: a desktop without a session bus has no one to tell.
        if (options.tray || bar.options().verbose)
            foundation::logLine("AMPORA: status bar: no session bus (" + error + "); no tray icon and no notices");
        return;
    }
    if (options.notify) {
        notifications_ = std::make_unique<desktop::Notifications>(bus_->bus(), "Ampora");
        notice_ = std::make_unique<LowBatteryNotice>(*notifications_);
        bar.addRedrawObserver([this](const graphics::Image& strip, const BatteryState& battery) {
            notice_->update(battery, strip);
            bus_->process();
        });
    }
    if (!options.tray) return;
    launcher_ = std::make_unique<SettingsLauncher>(options.settingsProgram, loop);
    verbose_ = bar.options().verbose;
    bar.addRedrawObserver([this, &bar, &loop](const graphics::Image& strip, const BatteryState& battery) {
        // Made at the first redraw, so a tray that asks at once finds the icon and its menu.
        if (!item_) {
            menu_ = std::make_unique<TrayMenu>(
                *bus_, TrayMenu::Actions{.openSettings = [this] { openSettings(); }, .quit = [&loop] { loop.stop(); }},
                verbose_);
            item_ = std::make_unique<StatusNotifierItem>(*bus_, [this] { openSettings(); }, TrayMenu::kObjectPath,
                                                         verbose_);
        }
        // The menu first: the item's update hands both to the bus before any tray's question is read.
        menu_->update(battery);
        item_->update(strip, battery, bar.imageProblem(), bar.squares());
    });
}

void DesktopOutputs::openSettings() {
    if (!launcher_->launch() && verbose_)
        std::fprintf(stderr, "ampora-statusbar: not starting %s (absent, or already open)\n", launcher_->program().c_str());
}

DesktopOutputs::~DesktopOutputs() = default;

}  // namespace statusbar
