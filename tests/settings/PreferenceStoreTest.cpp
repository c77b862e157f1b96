#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/KeyCatalogue.h"
#include "settings/model/PreferenceStore.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;

TEST(PreferenceStore, MissingFileReadsNothingAndIsNotCreated) {
    TempPreferences prefs;
    EXPECT_FALSE(getPreferenceValueForKey(settingsFilePath(), "enabled"));
    setPreferenceValueForKey(settingsFilePath(), "enabled", true);
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));
    EXPECT_TRUE(getSettingsForKeys({"enabled", "theme"}).empty());
}

TEST(PreferenceStore, SettingOneKeyKeepsEveryOther) {
    TempPreferences prefs;
    PlistDictionary before{{"enabled", true}, {"lowLevel", 25.0}, {"theme", "X"}, {"lightColor", 7}};
    prefs.writeSettings(before);
    setPreferenceValueForKey(settingsFilePath(), "theme", "Ampora LBI");
    auto after = *readDictionaryFromFile(settingsFilePath());
    before["theme"] = "Ampora LBI";
    EXPECT_EQ(after, before);
    // Values of an unexpected kind come back as they are.
    EXPECT_EQ(getPreferenceValueForKey(settingsFilePath(), "lightColor"), PlistValue(7));
}

TEST(PreferenceStore, SettingsForKeysHoldsOnlyStoredKeys) {
    TempPreferences prefs;
    prefs.writeSettings({{"enabled", true}, {"theme", "X"}, {"cpe", false}});
    EXPECT_TRUE(getSettingsForKeys({}).empty());
    EXPECT_EQ(getSettingsForKeys({"theme", "missing", "cpe"}), (PlistDictionary{{"theme", "X"}, {"cpe", false}}));
}

TEST(PreferenceStore, RewriteFromEmptyCreatesTheFile) {
    TempPreferences prefs;
    EXPECT_TRUE(PreferenceStore::rewrite(settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
                                         [](PlistDictionary& s) { s["enabled"] = true; }));
    EXPECT_EQ(*readDictionaryFromFile(settingsFilePath()), (PlistDictionary{{"enabled", true}}));
}

TEST(KeyCatalogue, PageDefaultsDifferFromTheEnginesWhereTheyShould) {
    EXPECT_EQ(KeyCatalogue::entries().size(), 33u);
    EXPECT_EQ(KeyCatalogue::entryForKey("useSecondTheme")->pageDefault, PlistValue(true));
    EXPECT_EQ(KeyCatalogue::entryForKey("secondThemeLimit")->pageDefault, PlistValue(20));
    EXPECT_EQ(KeyCatalogue::entryForKey("customLevel")->pageDefault, PlistValue(75));
    EXPECT_FALSE(KeyCatalogue::entryForKey("viewedTP")->pageDefault);
    EXPECT_EQ(KeyCatalogue::entryForKey("nope"), nullptr);
}
