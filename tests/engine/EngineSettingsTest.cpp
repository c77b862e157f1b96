#include <gtest/gtest.h>

#include "engine/QVAXManager.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistDictionary;

TEST(EngineSettings, NoSettingsFileLeavesTheEngineOffWithDefaultNames) {
    TempPreferences prefs;
    QVAXManager manager;
    EXPECT_FALSE(manager.settings());
    EXPECT_FALSE(manager.enabled());
    EXPECT_EQ(manager.primaryTheme(), "Ampora Connect");
    EXPECT_EQ(manager.secondaryTheme(), "Ampora LBI");
    EXPECT_EQ(manager.theme(), "Ampora Connect");
    EXPECT_EQ(manager.secondaryLimit(), 0);  // 10 applies only with useSecondTheme on
    EXPECT_EQ(manager.customLevel(), 0);
    EXPECT_EQ(manager.lowLevel(), 20);
}

TEST(EngineSettings, CorruptSettingsFileReadsLikeNone) {
    TempPreferences prefs;
    prefs.writeFile(prefs.root() + "/com.kelvary.ampora.plist", "<?xml version=\"1.0\"?><plist><dict><key>enabled");
    QVAXManager manager;
    EXPECT_FALSE(manager.settings());
    EXPECT_FALSE(manager.enabled());
}

TEST(EngineSettings, SwitchesAndNumbersAreCopied) {
    TempPreferences prefs;
    prefs.writeSettings({{"flipY", "YES"}, {"flipX", 1}, {"flipYSecondary", true}, {"flipXSecondary", 0.0},
                         {"chargeSym", true}, {"ignoreCC", "true"}, {"cpe", true}, {"customLevel", 42.9},
                         {"theme", "Mine"}, {"secondTheme", "Low"}});
    QVAXManager manager;
    EXPECT_TRUE(manager.flipY());
    EXPECT_TRUE(manager.flipX());
    EXPECT_TRUE(manager.flipSecondaryY());
    EXPECT_FALSE(manager.flipSecondaryX());
    EXPECT_TRUE(manager.showChargeSymbol());
    EXPECT_TRUE(manager.ignoreCharge());
    EXPECT_TRUE(manager.useCustomLevel());
    EXPECT_EQ(manager.customLevel(), 42);
    EXPECT_EQ(manager.primaryTheme(), "Mine");
    EXPECT_EQ(manager.secondaryTheme(), "Low");
    // Disabled: the name is stored, no file is read.
    EXPECT_EQ(manager.theme(), "Mine");
    EXPECT_FALSE(manager.script());
}

TEST(EngineSettings, SecondaryLimitIsReadOnlyWhileTheSecondThemeIsOn) {
    TempPreferences prefs;
    prefs.writeSettings({{"useSecondTheme", true}});
    QVAXManager manager;
    EXPECT_TRUE(manager.secondaryEnabled());
    EXPECT_EQ(manager.secondaryLimit(), 10);

    prefs.writeSettings({{"useSecondTheme", true}, {"secondThemeLimit", 35}});
    manager.loadSettings();
    EXPECT_EQ(manager.secondaryLimit(), 35);

    prefs.writeSettings({{"useSecondTheme", false}, {"secondThemeLimit", 50}});
    manager.loadSettings();
    EXPECT_FALSE(manager.secondaryEnabled());
    EXPECT_EQ(manager.secondaryLimit(), 35);  // keeps the old value

    // Present but not a number: 0, not the default.
    prefs.writeSettings({{"useSecondTheme", true}, {"secondThemeLimit", "many"}});
    manager.loadSettings();
    EXPECT_EQ(manager.secondaryLimit(), 0);
}

TEST(EngineSettings, SharedManagerIsOneObject) {
    TempPreferences prefs;
    EXPECT_EQ(&QVAXManager::sharedManager(), &QVAXManager::sharedManager());
}
