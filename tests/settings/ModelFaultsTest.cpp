// Restoring with no settings file, profile names too long for a file, and a
// Profiles folder that is a file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/HexColorText.h"
#include "settings/model/ProfileLibrary.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistDictionary;
using namespace ProfileLibrary;

TEST(ModelFaults, RestoringWithNoSettingsFileMakesItFromTheProfile) {
    TempPreferences prefs;
    const auto result = restoreProfile({{"theme", "Ampora LBI"}, {"lightColor", "#123456"}}, Restore::Complete);
    EXPECT_TRUE(result) << result.message;
    const auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (PlistDictionary{{"theme", "Ampora LBI"}, {"lightColor", "#123456"}}));
}

TEST(ModelFaults, ProfileNamesMustFitAFileAndAFileInTheWayIsSaid) {
    TempPreferences prefs;
    EXPECT_EQ(saveProfile(std::string(250, 'a'), Kind::Complete), SaveResult::NameRefused);
    EXPECT_EQ(saveProfile(std::string(200, 'a'), Kind::Complete), SaveResult::Saved);
    std::filesystem::remove_all(foundation::profilesFolderPath());
    prefs.writeFile(foundation::preferencesRoot() + "/Ampora/Profiles", "in the way");
    std::string problem;
    EXPECT_EQ(saveProfile("Blue", Kind::Complete, &problem), SaveResult::WriteFailed);
    EXPECT_NE(problem.find("in the way"), std::string::npos) << problem;
}

TEST(ModelFaults, HexTextIsThreeFourSixOrEightDigits) {
    EXPECT_EQ(HexColorText::expanded("#fff"), "#ffffff");
    EXPECT_EQ(HexColorText::expanded("f80a"), "#ff8800aa");
    EXPECT_EQ(HexColorText::expanded("#12345678"), "#12345678");
    for (const char* bad : {"zzzzzz", "#", "#zzzzzz", "12#3456", "%s%n", "", "#12345", "\xF0\x9F\x94\x8B"})
        EXPECT_FALSE(HexColorText::expanded(bad)) << bad;
    EXPECT_FALSE(HexColorText::expanded(std::string("ff\0fff", 6)));
}
