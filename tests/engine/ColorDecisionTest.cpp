#include <gtest/gtest.h>

#include "common/ColorParsing.h"
#include "engine/QVAXManager.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistDictionary;
using graphics::Color;

namespace {

const Color kWhite = Color::grey(1);
const Color kBlack = Color::grey(0);

std::string hex(const Color& c) { return *ColorParsing::hexStringFromColor(c, true, true); }

struct Decision {
    explicit Decision(PlistDictionary settings) { prefs.writeSettings(settings); }
    RenderColorSettings at(int level, bool charging = false, bool lpm = false, Color f = kWhite) {
        QVAXManager manager;
        return manager.createBatteryRenderColorSettingsForForegroundColor(f, charging, level, lpm);
    }
    TempPreferences prefs;
};

}  // namespace

TEST(ColorDecision, StatesInOrder) {
    Decision d({});
    EXPECT_EQ(hex(d.at(100, true).color), "#00ccffff");          // full while charging
    EXPECT_EQ(hex(d.at(50, true, true).color), "#00ff00ff");     // charging beats low power
    EXPECT_EQ(hex(d.at(50, false, true).color), "#ffcc00ff");    // low power
    EXPECT_EQ(hex(d.at(21).color), "#ffffffff");                 // one above the low level
    EXPECT_EQ(hex(d.at(20).color), "#ff0000ff");                 // low level itself is low
    EXPECT_EQ(hex(d.at(0).color), "#ff0000ff");
}

TEST(ColorDecision, IgnoringChargeKeepsTheFullColor) {
    Decision d({{"ignoreCC", true}, {"lowLevel", 30}});
    EXPECT_EQ(hex(d.at(100, true).color), "#00ccffff");
    EXPECT_EQ(hex(d.at(99, true).color), "#ffffffff");
    EXPECT_EQ(hex(d.at(30, true).color), "#ff0000ff");
}

TEST(ColorDecision, StoredColorsNeedTheirToggle) {
    Decision d({{"chargeColor", "#123456"}, {"useCustomLow", true}, {"lowColor", "#abcdef"},
                {"useCustomLPM", true}, {"useCustomCC", true}});
    EXPECT_EQ(hex(d.at(50, true).color), "#00ff00ff");   // toggle off
    EXPECT_EQ(hex(d.at(5).color), "#abcdefff");          // toggle on
    EXPECT_EQ(hex(d.at(50, false, true).color), "#ffcc00ff");  // toggle on, key absent
    EXPECT_EQ(hex(d.at(100, true).color), "#00ccffff");
}

TEST(ColorDecision, AppearanceSelectsLightOrDarkKeys) {
    Decision d({{"lightColor", "#111111"}, {"darkColor", "#222222"}, {"baseLightColor", "#33333333"},
                {"baseDarkColor", "#44444444"}});
    auto light = d.at(50, false, false, kWhite);
    EXPECT_EQ(hex(light.color), "#111111ff");
    EXPECT_EQ(hex(light.baseColor), "#33333333");
    auto almostWhite = d.at(50, false, false, Color::grey(0.99));
    EXPECT_EQ(hex(almostWhite.color), "#222222ff");
    EXPECT_EQ(hex(almostWhite.baseColor), "#44444444");
    EXPECT_EQ(hex(d.at(50, false, false, Color::rgb(1, 1, 1)).color), "#111111ff");  // RGB white by the mean
}

TEST(ColorDecision, DefaultsWithoutStoredColors) {
    Decision d({});
    EXPECT_EQ(hex(d.at(50, false, false, kBlack).color), "#000000ff");
    EXPECT_EQ(hex(d.at(50, false, false, kBlack).baseColor), "#00000055");
    EXPECT_EQ(hex(d.at(50).baseColor), "#ffffff55");
}

TEST(ColorDecision, PassAndShareRules) {
    const Color f = Color::rgb(0.2, 0.4, 0.6, 1);
    {
        Decision d({{"passMain", true}});
        EXPECT_EQ(d.at(50, false, false, f).color, f);
        EXPECT_EQ(hex(d.at(5, false, false, f).color), "#ff0000ff");  // only the normal row
    }
    {
        Decision d({{"shareMainColorEnabled", true}});
        auto c = d.at(50, true);
        EXPECT_EQ(c.baseColor, c.color.withAlpha(0.3));
        EXPECT_EQ(hex(c.color), "#00ff00ff");
    }
    {
        Decision d({{"shareMainColorEnabled", true}, {"sharedColorAlpha", 0.6}, {"passBase", true}});
        EXPECT_DOUBLE_EQ(d.at(50).baseColor.alpha(), 0.6);
    }
    {
        Decision d({{"passBase", true}, {"passBaseAlpha", 0.5}});
        EXPECT_EQ(d.at(50, false, false, f).baseColor, f.withAlpha(0.5));
    }
}

TEST(ColorDecision, EmptyOrNonStringColorFallsBackToTheRowDefault) {
    Decision d({{"lightColor", ""}, {"useCustomCharge", true}, {"chargeColor", 5}, {"baseLightColor", ""}});
    EXPECT_EQ(hex(d.at(50).color), "#ffffffff");
    EXPECT_EQ(hex(d.at(50).baseColor), "#ffffff55");
    EXPECT_EQ(hex(d.at(50, true).color), "#00ff00ff");
}

TEST(ColorDecision, CallStringOfTheLoadedTheme) {
    TempPreferences prefs;
    const std::string seven = themeScript("(a,b,c,d,e,f,g)");
    prefs.writeSettings({{"enabled", true}, {"theme", "Seven"}});
    prefs.writeTheme("Ampora Connect", themeScript("(c,g,l,m,e)"));
    prefs.writeTheme("Seven", seven);
    QVAXManager manager;
    auto colors = manager.createBatteryRenderColorSettingsForForegroundColor(kBlack, false, 15, true);
    EXPECT_EQ(manager.callStringForLoadedTheme(40, 15, false, true, colors),
              "(function" + seven + ")(40,15,!!0,!!1,!!1,[255,204,0],[0,0,0,0.33])");
    manager.setThemeType(0);
    EXPECT_FALSE(manager.callStringForLoadedTheme(40, 15, false, true, colors));
}
