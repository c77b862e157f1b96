// The power-supply class as fake trees: each case gives the figure UPower would give.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "hosts/statusbar/BatterySummary.h"
#include "hosts/statusbar/power/BatterySource.h"
#include "tests/support/TempPreferences.h"

using statusbar::BatteryState;

namespace {

class PowerSupply : public ::testing::Test {
protected:
    void supply(const std::string& name, const std::map<std::string, std::string>& files) {
        std::filesystem::create_directories(prefs.root() + "/ps/" + name);
        for (const auto& [file, content] : files) prefs.writeFile(prefs.root() + "/ps/" + name + "/" + file, content + "\n");
    }
    BatteryState read() { return statusbar::systemBattery(prefs.root() + "/ps", prefs.root() + "/profile")->read(); }
    TempPreferences prefs;
};

TEST_F(PowerSupply, PeripheralsAreLeftOutWhateverTheirOrder) {
    supply("AC", {{"type", "Mains"}, {"online", "0"}});
    supply("BAT0", {{"type", "Battery"}, {"capacity", "83"}, {"status", "Discharging"}});
    supply("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "5"}, {"status", "Discharging"}});
    supply("A_mouse", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "5"}, {"status", "Discharging"}});
    const BatteryState s = read();
    EXPECT_EQ(s.level, 83);
    EXPECT_EQ(s.state, 0);
    EXPECT_TRUE(s.present);
    EXPECT_FALSE(statusbar::batteryIsLow(s));
}

TEST_F(PowerSupply, DesktopOnMainsHasNoBatteryEvenWithAMouse) {
    supply("AC", {{"type", "Mains"}, {"online", "1"}});
    supply("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "30"}, {"status", "Discharging"}});
    const BatteryState s = read();
    EXPECT_FALSE(s.present);
    EXPECT_EQ(s.level, 100) << "the image is that of a full battery on mains";
    EXPECT_EQ(s.state, 2);
    EXPECT_EQ(statusbar::batteryDescription(s), "on mains power");
    const std::string line = statusbar::waybarLine(s);
    EXPECT_NE(line.find("\"class\": [\"ac\"]"), std::string::npos) << line;
    EXPECT_NE(line.find("\"text\": \"on mains power\""), std::string::npos) << line;
    EXPECT_FALSE(statusbar::batteryIsLow(s, 100));
}

TEST_F(PowerSupply, TwoBatteriesAreCombinedByEnergy) {
    // 90 % of 20 Wh and 10 % of 60 Wh: 24 of 80 Wh, 30 %; never one of the two alone.
    supply("BAT0", {{"type", "Battery"}, {"capacity", "90"}, {"energy_now", "18000000"}, {"energy_full", "20000000"},
                    {"status", "Discharging"}, {"power_now", "8000000"}});
    supply("BAT1", {{"type", "Battery"}, {"capacity", "10"}, {"energy_now", "6000000"}, {"energy_full", "60000000"},
                    {"status", "Unknown"}});
    BatteryState s = read();
    EXPECT_EQ(s.level, 30);
    EXPECT_EQ(s.state, 0);
    EXPECT_DOUBLE_EQ(s.watts, 8);
    EXPECT_EQ(s.secondsLeft, 3 * 3600) << "24 Wh at 8 W";
    EXPECT_EQ(statusbar::batteryDescription(s), "30 %, 3 h left");

    // Charge counters times the design voltage stand in for energy.
    supply("BAT1", {{"energy_now", "x"}, {"energy_full", ""}, {"charge_now", "500000"}, {"charge_full", "5000000"},
                    {"voltage_min_design", "12000000"}});
    s = read();
    EXPECT_EQ(s.level, 30) << "6 of 60 Wh again";

    // Without energy for every battery, the mean of the capacities.
    supply("BAT1", {{"charge_now", "garbage"}});
    EXPECT_EQ(read().level, 50);
}

TEST_F(PowerSupply, StateComesFromBatteriesAndMainsTogether) {
    supply("AC", {{"type", "Mains"}, {"online", "1"}});
    supply("BAT0", {{"type", "Battery"}, {"capacity", "60"}, {"status", "Not charging"}});
    supply("BAT1", {{"type", "Battery"}, {"capacity", "40"}, {"status", "Charging"}, {"time_to_full_now", "3900"}});
    EXPECT_EQ(read().state, 1) << "one battery charging";
    supply("BAT1", {{"status", "Full"}});
    EXPECT_EQ(read().state, 1) << "plugged in, one holding its charge";
    supply("BAT0", {{"status", "Full"}});
    EXPECT_EQ(read().state, 2);
    supply("AC", {{"online", "0"}});
    EXPECT_EQ(read().state, 0) << "mains gone: on battery, whatever a stale status says";

    std::filesystem::remove_all(prefs.root() + "/ps/BAT0");
    supply("AC", {{"online", "1"}});
    supply("BAT1", {{"status", "Charging"}});
    const BatteryState s = read();
    EXPECT_EQ(s.secondsLeft, 3900);
    EXPECT_EQ(statusbar::batteryDescription(s), "40 %, 1 h 5 min to full");
    EXPECT_NE(statusbar::waybarLine(s).find("\"time\": \"1 h 5 min to full\""), std::string::npos);
}

TEST_F(PowerSupply, MissingAndGarbageFilesKeepTheLastGoodFigure) {
    supply("BAT0", {{"type", "Battery"}, {"capacity", "64"}, {"status", "Discharging"}});
    auto source = statusbar::systemBattery(prefs.root() + "/ps", prefs.root() + "/profile");
    EXPECT_EQ(source->read().level, 64);
    supply("BAT0", {{"capacity", "sixty"}});
    EXPECT_EQ(source->read().level, 64);
    EXPECT_EQ(source->unavailable(), "");

    auto fresh = statusbar::systemBattery(prefs.root() + "/ps", prefs.root() + "/profile");
    fresh->read();
    EXPECT_NE(fresh->unavailable(), "") << "a battery without a level draws nothing rather than a guess";

    supply("BAT0", {{"capacity", "250"}, {"present", "1"}});
    EXPECT_EQ(source->read().level, 100);
    supply("BAT0", {{"present", "0"}});
    EXPECT_FALSE(source->read().present) << "an empty bay";
}

TEST_F(PowerSupply, PlatformProfileIsTheFallbackForLowPowerMode) {
    supply("BAT0", {{"type", "Battery"}, {"capacity", "50"}});
    EXPECT_FALSE(read().lowPower);
    prefs.writeFile(prefs.root() + "/profile", "low-power\n");
    EXPECT_TRUE(read().lowPower);
}

TEST(BatteryWords, DurationsRoundToTheMinute) {
    EXPECT_EQ(statusbar::durationText(20), "1 min");
    EXPECT_EQ(statusbar::durationText(45 * 60 + 29), "45 min");
    EXPECT_EQ(statusbar::durationText(2 * 3600 + 10 * 60), "2 h 10 min");
    EXPECT_EQ(statusbar::durationText(2 * 3600 - 20), "2 h");
    BatteryState full{100, 2, false};
    full.secondsLeft = 600;
    EXPECT_EQ(statusbar::timeText(full), "") << "nothing left to fill";
}

}  // namespace
