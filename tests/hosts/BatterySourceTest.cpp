#include <gtest/gtest.h>

#include "hosts/statusbar/power/BatterySource.h"

using statusbar::BatteryState;

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

