#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/Profiles.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;

TEST(Profiles, KeyListsAndTemplates) {
    auto color = colorProfileKeys();
    auto other = otherProfileKeys();
    ASSERT_EQ(color.size(), 17u);
    ASSERT_EQ(other.size(), 9u);
    EXPECT_EQ(color.front(), "lightColor");
    EXPECT_EQ(color.back(), "passBaseAlpha");
    EXPECT_EQ(other.front(), "theme");
    EXPECT_EQ(other.back(), "flipXSecondary");
    EXPECT_EQ(colorProfileTemplate().size(), 17u);
    EXPECT_EQ(otherProfileTemplate().size(), 11u);
    for (const auto& key : color) EXPECT_TRUE(colorProfileTemplate().count(key)) << key;
    for (const auto& key : other) EXPECT_TRUE(otherProfileTemplate().count(key)) << key;
}

TEST(Profiles, TakingAProfileOverlaysOnlyTemplateKeys) {
    TempPreferences prefs;
    EXPECT_EQ(currentColorProfile(), colorProfileTemplate());

    prefs.writeSettings({{"theme", "Mine"}, {"enabled", true}, {"lowColor", "#010203"}});
    auto complete = currentCompleteProfile();
    EXPECT_EQ(complete.size(), 28u);
    EXPECT_EQ(complete.at("theme"), PlistValue("Mine"));
    EXPECT_EQ(complete.at("lowColor"), PlistValue("#010203"));
    EXPECT_EQ(complete.at("secondThemeLimit"), PlistValue(20));
    EXPECT_FALSE(complete.count("enabled"));
    EXPECT_EQ(currentColorProfile().size(), 17u);
}

TEST(Profiles, ApplyingWritesEntriesIntoTheSettings) {
    TempPreferences prefs;
    prefs.writeSettings({{"enabled", true}, {"cpe", true}, {"customLevel", 40}, {"theme", "Old"}});
    PlistDictionary colors = colorProfileTemplate();
    colors["lightColor"] = "#abcdef";
    colors.merge(otherProfileTemplate());
    applyProfile(colors);
    auto settings = *readDictionaryFromFile(settingsFilePath());
    EXPECT_EQ(settings.at("lightColor"), PlistValue("#abcdef"));
    EXPECT_EQ(settings.at("theme"), PlistValue("Ampora Connect"));
    EXPECT_EQ(settings.at("enabled"), PlistValue(true));
    EXPECT_EQ(settings.at("cpe"), PlistValue(true));
    EXPECT_EQ(settings.at("customLevel"), PlistValue(40));
}

TEST(Profiles, ApplyingOnlyColorsLeavesEverythingElse) {
    TempPreferences prefs;
    prefs.writeSettings({{"theme", "Old"}, {"darkColor", "#111111"}, {"lowLevel", 30}});
    PlistDictionary complete{{"theme", "New"}, {"lowLevel", 5}, {"lightColor", "#222222"}, {"enabled", false}};
    applyOnlyColorProfile(complete);
    EXPECT_EQ(*readDictionaryFromFile(settingsFilePath()),
              (PlistDictionary{{"theme", "Old"}, {"darkColor", "#111111"}, {"lowLevel", 30}, {"lightColor", "#222222"}}));
}

TEST(Profiles, ApplyingWithoutASettingsFileWritesNothing) {
    TempPreferences prefs;
    applyProfile(otherProfileTemplate());
    applyOnlyColorProfile(colorProfileTemplate());
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));
}
