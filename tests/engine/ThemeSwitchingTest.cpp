#include <gtest/gtest.h>

#include "engine/QVAXManager.h"
#include "tests/support/TempPreferences.h"

using graphics::Color;

namespace {

std::string sized(int width) {
    return "(c,g,l,m,e){var f=document.createElement('canvas');f.width=" + std::to_string(width) +
           ";f.height=c;f.getContext('2d').fillRect(0,0,1,1);return f.toDataURL('image/png')}";
}

}  // namespace

TEST(ThemeSwitching, AnUnusableSecondaryThemeSwitchesTheEngineOffUntilTheNextReload) {
    TempPreferences prefs;
    prefs.writeTheme("Ampora Connect", sized(30));
    prefs.writeTheme("Short", "(c,g,l,m,e){}");
    prefs.writeSettings({{"enabled", true}, {"useSecondTheme", true}, {"secondTheme", "Short"}});
    QVAXManager manager;
    auto image = manager.batteryImageWithForegoundColor(Color::grey(1), 40, 5, false, false);
    EXPECT_FALSE(manager.enabled()) << "the status bar draws its own icon from now on";
    EXPECT_FALSE(image) << "this redraw ran the short script that was read";
    manager.loadSettings();
    EXPECT_TRUE(manager.enabled()) << "the next reload tries again";
}

TEST(ThemeSwitching, MissingSecondaryFallsBackToTheBuiltInTheme) {
    TempPreferences prefs;
    prefs.writeTheme("Ampora Connect", sized(30));
    prefs.writeTheme("Main", sized(50));
    prefs.writeSettings({{"enabled", true}, {"theme", "Main"}, {"useSecondTheme", true}, {"secondTheme", "Gone"}});
    QVAXManager manager;
    EXPECT_EQ(manager.batteryImageWithForegoundColor(Color::grey(1), 40, 50, false, false)->pixelWidth(), 50);
    EXPECT_EQ(manager.batteryImageWithForegoundColor(Color::grey(1), 40, 9, false, false)->pixelWidth(), 30);
    EXPECT_EQ(manager.theme(), "Ampora Connect");
    EXPECT_EQ(manager.batteryImageWithForegoundColor(Color::grey(1), 40, 11, false, false)->pixelWidth(), 50);
}

TEST(ThemeSwitching, ReloadReturnsToThePrimaryTheme) {
    TempPreferences prefs;
    prefs.writeTheme("Ampora Connect", sized(30));
    prefs.writeTheme("Ampora LBI", sized(20));
    prefs.writeSettings({{"enabled", true}, {"useSecondTheme", true}});
    QVAXManager manager;
    manager.batteryImageWithForegoundColor(Color::grey(1), 40, 3, false, false);
    EXPECT_TRUE(manager.usingSecondary());
    manager.loadSettings();
    EXPECT_FALSE(manager.usingSecondary());
    EXPECT_EQ(manager.theme(), "Ampora Connect");
    EXPECT_EQ(manager.batteryImageWithForegoundColor(Color::grey(1), 40, 3, false, false)->pixelWidth(), 20)
        << "the next low redraw switches back";
}
