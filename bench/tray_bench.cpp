// What the tray costs on top of a redraw: the status bar's redraw with the
// default theme writing its PNG, the same with the tray item updated and its
// NewIcon/NewToolTip/NewStatus sent on a private session bus, the tray's part
// of a redraw alone (the menu's battery line and themes checked, signals handed
// to the bus), and what a tray's read of
// IconPixmap then costs (both sizes in the tray's byte order).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/PluginLoader.h"
#include "hosts/statusbar/StatusBar.h"
#include "hosts/statusbar/StatusNotifierItem.h"
#include "hosts/statusbar/TrayMenu.h"
#include "hosts/statusbar/TrayPixmap.h"
#include "platform/foundation/PlistFile.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double medianOf(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// Redraws with the level alternating, so every frame is new and written;
// `tray` says for each round whether the tray item takes part. Rounds with and
// without it interleave, so both see the same disk and machine load.
void measure(statusbar::StatusBar& bar, int rounds, bool& tray, Clock::time_point& start, std::vector<double>& without,
             std::vector<double>& with) {
    for (int i = 0; i < rounds; ++i) {
        tray = i % 4 >= 2;
        start = Clock::now();
        bar.batteryChanged({56 + i % 2, 0, false});
        (tray ? with : without).push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
}

pid_t startBus(std::string& address) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    char* argv[] = {const_cast<char*>("/usr/bin/dbus-daemon"), const_cast<char*>("--session"),
                    const_cast<char*>("--nofork"), const_cast<char*>("--print-address=1"), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') address += c;
    ::close(fds[0]);
    return pid;
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "ampora-tray-bench-XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    fs::create_directories(root + "/Ampora");
    for (const auto& theme : fs::directory_iterator(AMPORA_SHIPPED_THEMES))
        fs::copy_file(theme.path(), root + "/Ampora/" + theme.path().filename().string());
    ::setenv("AMPORA_PREFERENCES", root.c_str(), 1);
    ::setenv("AMPORA_NOTIFY_DIR", (root + "/notify").c_str(), 1);
    foundation::writeDictionaryToFile({{"enabled", true}}, root + "/com.kelvary.ampora.plist");

    std::string address;
    const pid_t daemon = startBus(address);
    if (daemon < 0 || address.empty()) return std::fprintf(stderr, "tray_bench: no dbus-daemon\n"), 1;
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);

    statusbar::HostOptions options;
    options.pngPath = root + "/battery.png";
    statusbar::StatusBar bar(options);
    statusbar::registerHostClasses(bar);
    statusbar::loadPlugins(AMPORA_PLUGIN_FOLDER);
    const int rounds = 600;

    notify::RunLoop& loop = notify::RunLoop::main();
    std::string error;
    auto bus = desktop::BusConnection::openSession(loop, error);
    if (!bus) return std::fprintf(stderr, "tray_bench: %s\n", error.c_str()), 1;
    statusbar::TrayMenu menu(*bus, {}, false);
    statusbar::StatusNotifierItem item(*bus, [] {}, statusbar::TrayMenu::kObjectPath, false);
    bool tray = false;
    Clock::time_point redrawStart;
    std::vector<double> strips, updates, menus, reads, png, withTray;
    bar.addRedrawObserver([&](const graphics::Image& strip, const statusbar::BatteryState& battery) {
        const auto start = Clock::now();
        // Observers see the strip before it is written: the redraw without its PNG.
        strips.push_back(std::chrono::duration<double, std::micro>(start - redrawStart).count());
        if (!tray) return;
        menu.update(battery);
        const auto menuQueued = Clock::now();
        item.update(strip, battery);
        const auto sent = Clock::now();
        updates.push_back(std::chrono::duration<double, std::micro>(sent - start).count());
        menus.push_back(std::chrono::duration<double, std::micro>(menuQueued - start).count());
        statusbar::trayPixmaps(strip);
        reads.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    });
    measure(bar, 40, tray, redrawStart, png, withTray);  // warm: theme loaded, fonts, memo, bus name
    strips.clear(), png.clear(), withTray.clear(), updates.clear(), menus.clear(), reads.clear();
    measure(bar, rounds, tray, redrawStart, png, withTray);
    loop.runUntil(Clock::now() + std::chrono::milliseconds(50));
    const double stripMedian = medianOf(strips), pngMedian = medianOf(png), trayMedian = medianOf(withTray),
                 update = medianOf(updates);

    const auto strip = bar.lastStrip();
    std::printf("tray_bench: %d redraws, half with the tray, default theme, %dx%d px strip, medians\n", rounds,
                strip->pixelWidth(), strip->pixelHeight());
    std::printf("  redraw to the strip (no PNG, no tray)         %8.1f us\n", stripMedian);
    std::printf("  redraw + PNG written (atomically, fsync)      %8.1f us\n", pngMedian);
    std::printf("  redraw + PNG written + IconPixmap emitted     %8.1f us  (%+.1f %%)\n", trayMedian,
                100 * (trayMedian - pngMedian) / pngMedian);
    std::printf("  the tray's part (menu checked, signals sent)  %8.1f us  (%.1f %% of the PNG redraw, %.1f %% of "
                "the strip alone)\n",
                update, 100 * update / pngMedian, 100 * update / stripMedian);
    std::printf("  of it, the menu's (theme folder, settings)    %8.1f us\n", medianOf(menus));
    std::printf("  a tray reading IconPixmap (2 sizes made)      %8.1f us\n", medianOf(reads));

    ::kill(daemon, SIGTERM);
    ::waitpid(daemon, nullptr, 0);
    fs::remove_all(root);
    return 0;
}
