// ampora-statusbar: the stand-in for the process that draws the status bar.
// It loads the plug-ins next to it, feeds its battery item real (or simulated)
// battery data and writes the battery item's image to a PNG file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/ColorParsing.h"
#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/DesktopOutputs.h"
#include "hosts/statusbar/InstallLayout.h"
#include "hosts/statusbar/PanelAppearance.h"
#include "hosts/statusbar/PluginLoader.h"
#include "hosts/statusbar/StatusBar.h"
#include "hosts/statusbar/power/BatterySource.h"
#include "hosts/statusbar/SingleInstance.h"
#include "hosts/statusbar/ThemeConsoleLog.h"
#include "hosts/statusbar/ThemeFailure.h"
#include "platform/notify/RunLoop.h"
#include "platform/foundation/ProgramVersion.h"

namespace {

const char* kHelp =
    "usage: ampora-statusbar [--png PATH] [--once] [--verbose] [--plugins DIR]\n"
    "                        [--simulate LEVEL[:charging|:full] | --battery-file FILE]\n"
    "                        [--battery auto|upower|sysfs|file] [--power-supply DIR]\n"
    "                        [--panel dark|light|auto] [--scale S] [--system-version V]\n"
    "                        [--tray [--replace]] [--waybar] [--no-notify]\n"
    "\n"
    "Draws the status bar's battery item with the plug-ins of DIR (default: the\n"
    "installation's lib/ampora/plugins, or this program's folder in a build tree)\n"
    "and writes it to PATH each time it changes.\n"
    "\n"
    "  --png PATH           where the battery item's image goes (written atomically)\n"
    "  --once               draw one frame and exit\n"
    "  --verbose            a status line on stderr for every frame\n"
    "  --plugins DIR        load the *.so files of DIR\n"
    "  --simulate STATE     a fixed battery: 57, 57:charging, 100:full, 20:lpm\n"
    "  --battery-file FILE  a file holding the same, re-read whenever it is saved\n"
    "  --battery SOURCE     auto (default): UPower when it is on the system bus, else\n"
    "                       sysfs; upower or sysfs only; file: the --battery-file\n"
    "  --power-supply DIR   the power-supply folder (default /sys/class/power_supply)\n"
    "  --panel P            the panel's own color: dark (white icon colors, those of a dark\n"
    "                       status bar), light (black), or auto (default): the desktop's\n"
    "                       light or dark setting, followed as it changes\n"
    "  --scale S            pixels per point (default 2)\n"
    "  --system-version V   the system version the plug-ins see (default 9.3)\n"
    "  --tray               show the item in the desktop's system tray (StatusNotifierItem);\n"
    "                       a click opens ampora-settings of the same installation, and\n"
    "                       its menu holds Settings…, the level, Theme and Quit; one\n"
    "                       per session: a second one says so and exits\n"
    "  --replace            with --tray: take over from the one already running\n"
    "  --waybar             print one JSON line per redraw for waybar's custom module\n"
    "  --no-notify          no desktop notification when the battery runs low\n"
    "\n"
    "Low power mode is power-profiles-daemon's \"power-saver\" profile, else the\n"
    "firmware's \"low-power\" platform profile.\n";

int usage(const std::string& problem) {
    std::fprintf(stderr, "ampora-statusbar: %s\n\n%s", problem.c_str(), kHelp);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (foundation::answeredVersion(argc, argv, "ampora-statusbar")) return 0;
    statusbar::HostOptions options;
    std::string plugins = statusbar::defaultPluginFolder(), simulate, batteryFile, source = "auto";
    std::string powerSupply = "/sys/class/power_supply";
    statusbar::DesktopOptions desktop{.notify = true, .settingsProgram = statusbar::settingsProgram()};
    bool once = false, replace = false;
    statusbar::Panel panel = statusbar::Panel::automatic;
    double scale = 2;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        const std::string* v = nullptr;
        if (a == "--help" || a == "-h") return std::fputs(kHelp, stdout), 0;
        else if (a == "--once") once = true;
        else if (a == "--verbose") options.verbose = true;
        else if (a == "--tray") desktop.tray = true;
        else if (a == "--replace") replace = true;
        else if (a == "--waybar") desktop.waybar = true;
        else if (a == "--no-notify") desktop.notify = false;
        else if (a == "--battery") {
            if (!(v = value()) || (*v != "auto" && *v != "upower" && *v != "sysfs" && *v != "file"))
                return usage("--battery is auto, upower, sysfs or file");
            source = *v;
        } else if (a == "--power-supply") {
            if (!(v = value())) return usage("--power-supply needs a folder");
            powerSupply = *v;
        }
        else if (a == "--png") {
            if (!(v = value())) return usage("--png needs a path");
            options.pngPath = *v;
        } else if (a == "--plugins") {
            if (!(v = value())) return usage("--plugins needs a folder");
            plugins = *v;
        } else if (a == "--simulate") {
            if (!(v = value())) return usage("--simulate needs a level");
            simulate = *v;
        } else if (a == "--battery-file") {
            if (!(v = value())) return usage("--battery-file needs a file");
            batteryFile = *v;
        } else if (a == "--system-version") {
            if (!(v = value())) return usage("--system-version needs a version such as 9.3");
            options.systemVersion = *v;
        } else if (a == "--scale") {
            char* end = nullptr;
            if (!(v = value()) || (scale = std::strtod(v->c_str(), &end), *end) || scale < 1 || scale > 4)
                return usage("--scale takes a number from 1 to 4");
        } else if (a == "--panel") {
            std::optional<statusbar::Panel> named;
            if (!(v = value()) || !(named = statusbar::panelNamed(*v))) return usage("--panel is dark, light or auto");
            panel = *named;
        } else if (a == "--appearance") {
            // The old spelling named the text's color, the opposite of the panel's.
            std::optional<statusbar::Panel> named;
            if (!(v = value()) || !(named = statusbar::panelOfAppearance(*v)))
                return usage("--appearance is light or dark; say --panel dark|light|auto now");
            panel = *named;
            const char* now = panel == statusbar::Panel::dark ? "dark" : panel == statusbar::Panel::light ? "light" : "auto";
            std::fprintf(stderr,
                         "ampora-statusbar: --appearance is now --panel, which names the panel's color: "
                         "--appearance %s is --panel %s%s\n",
                         v->c_str(), now,
                         panel == statusbar::Panel::dark    ? " (white icon colors, for a dark panel)"
                         : panel == statusbar::Panel::light ? " (black icon colors, for a light panel)"
                                                            : "");
        } else {
            return usage("unknown argument '" + a + "'");
        }
    }
    if (!simulate.empty() && !batteryFile.empty()) return usage("give --simulate or --battery-file, not both");
    if (source == "file" && batteryFile.empty()) return usage("--battery file needs --battery-file FILE");
    if (!batteryFile.empty() && source != "auto" && source != "file")
        return usage("--battery-file goes with --battery file (or no --battery)");
    if (replace && !desktop.tray) return usage("--replace goes with --tray");
    notify::RunLoop& loop = notify::RunLoop::main();
    if (once) desktop.tray = false;
    // The slots trays draw items in: Plasma's and GNOME's 16 and 22 (32 and 44
    // at twice the scale), xfce's and waybar's 24 and 32, and 48 for large panels.
    if (desktop.tray) options.squareSizes = {16, 22, 24, 32, 44, 48};

    // One session connection for the instance's name and the desktop's light or dark setting.
    std::unique_ptr<desktop::BusConnection> session;
    if (desktop.tray || panel == statusbar::Panel::automatic) {
        std::string error;
        if (!(session = desktop::BusConnection::openSession(loop, error, "the tray icon is gone")) && options.verbose)
            std::fprintf(stderr, "ampora-statusbar: no session bus (%s)\n", error.c_str());
    }
    std::unique_ptr<statusbar::SingleInstance> instance;
    if (desktop.tray) {
        auto claim = statusbar::SingleInstance::claim(session.get(), replace, [&loop, &options] {
            if (options.verbose) std::fprintf(stderr, "ampora-statusbar: replaced by another one; ending\n");
            loop.stop();
        });
        if (!claim.instance && claim.problem.empty()) {
            if (claim.running > 0) std::fprintf(stderr, "ampora-statusbar: already running (pid %d)\n", int(claim.running));
            else std::fprintf(stderr, "ampora-statusbar: already running\n");
            return 0;
        }
        if (!claim.problem.empty()) std::fprintf(stderr, "ampora-statusbar: %s; going on\n", claim.problem.c_str());
        if (claim.running > 0 && options.verbose)
            std::fprintf(stderr, "ampora-statusbar: taking over from pid %d\n", int(claim.running));
        instance = std::move(claim.instance);
    }

    std::unique_ptr<desktop::BusConnection> systemBus;
    std::unique_ptr<statusbar::BatterySource> battery;
    if (!simulate.empty()) {
        if (!(battery = statusbar::simulatedBattery(simulate)))
            return usage("--simulate takes a level 0 to 100 and optionally :charging, :full or :lpm");
    } else if (!batteryFile.empty()) {
        battery = statusbar::batteryFile(batteryFile);
    } else {
        const auto choice = source == "upower" ? statusbar::BatteryChoice::upower
                            : source == "sysfs" ? statusbar::BatteryChoice::sysfs
                                                : statusbar::BatteryChoice::automatic;
        std::string error;
        // Also for sysfs alone: power-profiles-daemon still tells low power mode.
        if (!(systemBus = desktop::BusConnection::openSystem(loop, error, "the battery comes from sysfs")) && options.verbose)
            std::fprintf(stderr, "ampora-statusbar: no system bus (%s)\n", error.c_str());
        battery = statusbar::desktopBattery(choice, systemBus.get(), powerSupply, options.verbose);
    }

    graphics::setMainScreenScale(scale);
    statusbar::ThemeConsoleLog::install();
    statusbar::ThemeFailures::install();
    statusbar::StatusBar bar(options);
    statusbar::PanelAppearance appearance(bar, panel, session.get());
    statusbar::registerHostClasses(bar);
    // The classes exist before the plug-ins load, as in the real process.
    const auto loaded = statusbar::loadPlugins(plugins);
    if (options.verbose) {
        std::fprintf(stderr, "ampora-statusbar: %zu plug-in(s) from %s:", loaded.size(), plugins.c_str());
        for (const auto& name : loaded) std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "; battery from %s\n", battery->describe().c_str());
    }

    // Before the battery source has a good state there is nothing to draw.
    auto feed = [&] {
        const statusbar::BatteryState state = battery->read();
        if (const std::string why = battery->unavailable(); !why.empty()) {
            if (options.verbose || once) std::fprintf(stderr, "ampora-statusbar: nothing drawn: %s\n", why.c_str());
            return false;
        }
        bar.batteryChanged(state);
        return true;
    };
    if (once) desktop.notify = false;
    statusbar::DesktopOutputs outputs(bar, loop, desktop);
    // A daemon on the bus answers in milliseconds; one that does not is given up within a second or so.
    for (const auto until = notify::RunLoop::Clock::now() + std::chrono::seconds(2);
         (battery->pending() || appearance.pending()) && notify::RunLoop::Clock::now() < until;)
        loop.runUntil(std::min(until, notify::RunLoop::Clock::now() + std::chrono::milliseconds(20)));
    if (options.verbose) std::fprintf(stderr, "ampora-statusbar: the panel is %s\n", appearance.describe().c_str());
    const bool drawn = feed();
    if (!bar.writeProblem().empty())
        std::fprintf(stderr, "ampora-statusbar: frame not written: %s\n", bar.writeProblem().c_str());
    if (once) return drawn && bar.writeProblem().empty() ? 0 : 1;
    if (!desktop.tray && !desktop.waybar && options.pngPath.empty())
        std::fprintf(stderr,
                     "ampora-statusbar: drawing the battery icon%s, but showing it nowhere. To see it, run\n"
                     "  ampora-statusbar --tray         in the system tray (or: systemctl --user enable --now "
                     "ampora-statusbar)\n"
                     "  ampora-statusbar --png PATH     as an image file, for bars that show one\n"
                     "  ampora-statusbar --waybar       as waybar's custom module\n",
                     desktop.notify ? " and watching for a low battery to notify" : "");
    battery->watch(loop, [&] {
        // Unchanged data still reaches the view, as the host sends it on.
        feed();
    });
    loop.run();
    return 0;
}
