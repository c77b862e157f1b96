// A desktop on mains alone: the tray item steps back, the PNG keeps a picture.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;

TEST(NoBatteryTray, ItemIsPassiveAndThePNGShowsAFullBatteryOnMains) {
    TempPreferences prefs;
    PrivateSessionBus bus;
    const std::string supplies = prefs.root() + "/ps", png = prefs.root() + "/battery.png";
    fs::create_directories(supplies + "/AC");
    fs::create_directories(supplies + "/hidpp_battery_0");
    prefs.writeFile(supplies + "/AC/type", "Mains\n");
    prefs.writeFile(supplies + "/AC/online", "1\n");
    prefs.writeFile(supplies + "/hidpp_battery_0/type", "Battery\n");
    prefs.writeFile(supplies + "/hidpp_battery_0/scope", "Device\n");
    prefs.writeFile(supplies + "/hidpp_battery_0/capacity", "5\n");

    TestWatcher watcher(bus.address());
    HostProcess host(STATUSBAR_BINARY,
                     {"--tray", "--battery", "sysfs", "--power-supply", supplies, "--png", png, "--no-notify"});
    const std::string item = "org.kde.StatusNotifierItem-" + std::to_string(host.pid()) + "-1";
    ASSERT_TRUE(watcher.waitUntil([&] { return !watcher.registrations().empty(); }));
    EXPECT_EQ(watcher.stringProperty(item, "Status"), "Passive");
    EXPECT_EQ(watcher.toolTipTitle(item), "on mains power");
    ASSERT_TRUE(watcher.waitUntil([&] { return fs::exists(png); }));
    EXPECT_EQ(readPNG(png).width, 68) << "the stock battery with its charging accessory";
}
