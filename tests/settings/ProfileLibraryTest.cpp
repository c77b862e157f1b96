#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/ProfileLibrary.h"
#include "settings/model/Profiles.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;
using namespace ProfileLibrary;
namespace fs = std::filesystem;

namespace {

void touchProfile(const TempPreferences& prefs, const std::string& file, const PlistDictionary& d = {}) {
    writeDictionaryToFile(d, prefs.root() + "/Ampora/Profiles/" + file);
}

PlistDictionary settings() { return readDictionaryFromFile(settingsFilePath()).value_or(PlistDictionary{}); }

}  // namespace

TEST(ProfileLibrary, ListingOrderAndDefaultCreation) {
    TempPreferences prefs;
    touchProfile(prefs, "Default.axProfile");
    touchProfile(prefs, "Most Recent.axProfile");
    touchProfile(prefs, "Blue.axProfile");
    prefs.writeFile(prefs.root() + "/Ampora/Profiles/notes.txt", "hi");
    EXPECT_EQ(loadProfiles(), (std::vector<std::string>{"Most Recent", "Default", "Blue"}));
}

TEST(ProfileLibrary, ListingWritesTheDefaultProfileWhenAbsent) {
    TempPreferences prefs;
    touchProfile(prefs, "Default.AXPROFILE");
    touchProfile(prefs, "My.Set.axProfile");
    EXPECT_EQ(loadProfiles(), (std::vector<std::string>{"Default", "My.Set"}));
    auto written = readProfile("Default");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 28u);
    EXPECT_EQ(written->at("theme"), PlistValue("Ampora Connect"));
}

TEST(ProfileLibrary, ListingOrSavingWithoutAFolderMakesIt) {
    TempPreferences prefs;
    fs::remove_all(prefs.root() + "/Ampora");
    EXPECT_EQ(loadProfiles(), (std::vector<std::string>{"Default"}));
    EXPECT_TRUE(readProfile("Default"));
    fs::remove_all(prefs.root() + "/Ampora");
    EXPECT_EQ(saveProfile("Blue", Kind::ColorsOnly), SaveResult::Saved);
    EXPECT_TRUE(readProfile("Blue"));
}

TEST(ProfileLibrary, SavingRefusesTakenAndUnsafeNames) {
    TempPreferences prefs;
    prefs.writeSettings({{"theme", "Mine"}, {"lightColor", "#010101"}});
    EXPECT_EQ(saveProfile("Evening", Kind::Complete), SaveResult::Saved);
    EXPECT_EQ(saveProfile("Evening", Kind::ColorsOnly), SaveResult::NameRefused);
    EXPECT_EQ(saveProfile("Tint", Kind::ColorsOnly), SaveResult::Saved);
    EXPECT_TRUE(isCompleteProfile(*readProfile("Evening")));
    EXPECT_FALSE(isCompleteProfile(*readProfile("Tint")));
    EXPECT_EQ(readProfile("Tint")->size(), 17u);

    for (const std::string& bad : std::vector<std::string>{"", ".", "..", "../escape", "a/b", std::string("nul\0x", 5),
                                                        "Default", "Most Recent"})
        EXPECT_EQ(saveProfile(bad, Kind::Complete), SaveResult::NameRefused) << bad;
    EXPECT_FALSE(fs::exists(prefs.root() + "/Ampora/escape.axProfile"));
    EXPECT_FALSE(deleteProfile("../../com.kelvary.ampora"));
    EXPECT_TRUE(fs::exists(settingsFilePath()));
}

TEST(ProfileLibrary, RestoreVariants) {
    TempPreferences prefs;
    prefs.writeSettings({{"theme", "Now"}, {"lightColor", "#000001"}, {"lowLevel", 33}, {"enabled", true}});
    const PlistDictionary complete{{"theme", "Then"}, {"lightColor", "#000002"}, {"lowLevel", 44}};
    const PlistDictionary colors{{"lightColor", "#000003"}};

    restoreProfile(complete, Restore::ColorsOnly);
    EXPECT_EQ(settings().at("theme"), PlistValue("Now"));
    EXPECT_EQ(settings().at("lightColor"), PlistValue("#000002"));

    restoreProfile(complete, Restore::Complete);
    EXPECT_EQ(settings().at("theme"), PlistValue("Then"));
    EXPECT_EQ(settings().at("lowLevel"), PlistValue(44));

    restoreProfile(colors, Restore::ColorsKeepingOther);
    EXPECT_EQ(settings().at("lightColor"), PlistValue("#000003"));
    EXPECT_EQ(settings().at("theme"), PlistValue("Then"));

    restoreProfile(colors, Restore::ColorsWithDefaultOther);
    EXPECT_EQ(settings().at("theme"), PlistValue("Ampora Connect"));
    EXPECT_EQ(settings().at("lowLevel"), PlistValue(20));
    EXPECT_EQ(settings().at("enabled"), PlistValue(true));

    // Each restore left the state before it in "Most Recent".
    EXPECT_EQ(readProfile("Most Recent")->at("theme"), PlistValue("Then"));
}

TEST(ProfileLibrary, RestoringMostRecentTwiceSwapsBack) {
    TempPreferences prefs;
    prefs.writeSettings({{"theme", "A"}});
    restoreProfile({{"theme", "B"}}, Restore::Complete);
    ASSERT_EQ(settings().at("theme"), PlistValue("B"));
    restoreProfileNamed("Most Recent", Restore::Complete);
    EXPECT_EQ(settings().at("theme"), PlistValue("A"));
    restoreProfileNamed("Most Recent", Restore::Complete);
    EXPECT_EQ(settings().at("theme"), PlistValue("B"));
}

TEST(ProfileLibrary, VanishedProfileStillReplacesMostRecentButChangesNothing) {
    TempPreferences prefs;
    const PlistDictionary before{{"theme", "A"}, {"lowLevel", 7}, {"flipX", true}};
    prefs.writeSettings(before);
    for (Restore how : {Restore::ColorsWithDefaultOther, Restore::Complete, Restore::ColorsOnly})
        restoreProfileNamed("Gone", how);
    EXPECT_EQ(settings(), before) << "not even the template's other settings";
    EXPECT_EQ(readProfile("Most Recent")->at("theme"), PlistValue("A"));
}

TEST(ProfileLibrary, AFileNamedOnlyTheSuffixIsNotListed) {
    TempPreferences prefs;
    touchProfile(prefs, ".axProfile");
    touchProfile(prefs, "Blue.axProfile");
    EXPECT_EQ(loadProfiles(), (std::vector<std::string>{"Default", "Blue"}));
}

TEST(ProfileLibrary, RestoreLeavesAnUnreadableSettingsFileAlone) {
    TempPreferences prefs;
    prefs.writeFile(settingsFilePath(), "<plist><dict><key>theme</key><string>A</string>");  // truncated
    restoreProfile({{"theme", "B"}}, Restore::Complete);
    EXPECT_EQ(prefs.readFile(settingsFilePath()), "<plist><dict><key>theme</key><string>A</string>");
}

TEST(ProfileLibrary, Deleting) {
    TempPreferences prefs;
    touchProfile(prefs, "Old.axProfile");
    EXPECT_TRUE(deleteProfile("Old"));
    EXPECT_FALSE(deleteProfile("Old"));
    EXPECT_EQ(loadProfiles(), (std::vector<std::string>{"Default"}));
}
