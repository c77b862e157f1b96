#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "hosts/statusbar/BatterySource.h"
#include "tests/support/TempPreferences.h"

using statusbar::BatteryState;

namespace {

void supply(const TempPreferences& prefs, const std::string& name, const std::map<std::string, std::string>& files) {
    std::filesystem::create_directories(prefs.root() + "/ps/" + name);
    for (const auto& [file, content] : files) prefs.writeFile(prefs.root() + "/ps/" + name + "/" + file, content + "\n");
}

}  // namespace

TEST(BatterySource, TextOfTheSimulationAndTheBatteryFile) {
    BatteryState s;
    ASSERT_TRUE(statusbar::parseBatteryText("57", s));
    EXPECT_EQ(s, (BatteryState{57, 0, false}));
    ASSERT_TRUE(statusbar::parseBatteryText("100:full", s));
    EXPECT_EQ(s, (BatteryState{100, 2, false}));
    ASSERT_TRUE(statusbar::parseBatteryText(" 12 charging lpm\n", s));
    EXPECT_EQ(s, (BatteryState{12, 1, true}));
    for (const char* bad : {"", "101", "full", "57 sideways", "-5"}) EXPECT_FALSE(statusbar::parseBatteryText(bad, s)) << bad;
}

TEST(BatterySource, PowerSupplyClassOfTheKernel) {
    TempPreferences prefs;
    supply(prefs, "AC", {{"type", "Mains"}, {"online", "1"}});
    supply(prefs, "BAT0", {{"type", "Battery"}, {"capacity", "42"}, {"status", "Charging"}});
    auto source = statusbar::systemBattery(prefs.root() + "/ps");
    EXPECT_EQ(source->read().level, 42);
    EXPECT_EQ(source->read().state, 1);

    supply(prefs, "BAT0", {{"status", "Not charging"}});
    EXPECT_EQ(source->read().state, 1) << "plugged in, holding its charge";
    supply(prefs, "AC", {{"online", "0"}});
    supply(prefs, "BAT0", {{"status", "Discharging"}, {"capacity", "7"}});
    EXPECT_EQ(source->read(), (BatteryState{7, 0, source->read().lowPower}));
    supply(prefs, "BAT0", {{"status", "Full"}, {"capacity", "100"}});
    EXPECT_EQ(source->read().state, 2);

    auto none = statusbar::systemBattery(prefs.root() + "/nothing-here");
    EXPECT_EQ(none->read().level, 100) << "a machine on mains shows full";
    EXPECT_EQ(none->read().state, 2);
}
