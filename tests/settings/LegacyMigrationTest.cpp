#include <gtest/gtest.h>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/LegacyMigration.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistValue;

TEST(LegacyMigration, OfferedOnlyWithLegacySettingsAndNoCurrentOnes) {
    TempPreferences temp;
    EXPECT_FALSE(LegacyMigration::shouldOffer());  // neither file
    foundation::writeDictionaryToFile({{"enabled", PlistValue(true)}}, foundation::legacySettingsFilePath());
    EXPECT_TRUE(LegacyMigration::shouldOffer());
    temp.writeSettings({{"theme", PlistValue("Ampora LBI")}});
    EXPECT_FALSE(LegacyMigration::shouldOffer());  // both files
}

TEST(LegacyMigration, KeepsOnlyKnownKeysOfTheRightKind) {
    TempPreferences temp;
    foundation::writeDictionaryToFile({{"enabled", PlistValue(true)},
                                       {"lowLevel", PlistValue(std::int64_t{25})},
                                       {"theme", PlistValue("Ampora LBI")},
                                       {"lightColor", PlistValue(std::int64_t{7})},  // a color must be text
                                       {"somethingElse", PlistValue("x")}},
                                      foundation::legacySettingsFilePath());
    ASSERT_TRUE(LegacyMigration::migrate());
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (foundation::PlistDictionary{{"enabled", PlistValue(true)},
                                                      {"lowLevel", PlistValue(std::int64_t{25})},
                                                      {"theme", PlistValue("Ampora LBI")}}));
    EXPECT_FALSE(LegacyMigration::shouldOffer());
}

TEST(LegacyMigration, AnUnreadableLegacyFileIsOfferedOnceUntilItChanges) {
    TempPreferences temp;
    const std::string legacy = foundation::legacySettingsFilePath();
    temp.writeFile(legacy, "<plist><dict><key>enabled</key>");
    EXPECT_TRUE(LegacyMigration::shouldOffer());
    const LegacyMigration::Outcome outcome = LegacyMigration::migrate();
    EXPECT_FALSE(outcome);
    EXPECT_FALSE(outcome.problem.empty()) << "a person is told why";
    EXPECT_FALSE(LegacyMigration::shouldOffer());
    EXPECT_FALSE(foundation::readDictionaryFromFile(foundation::settingsFilePath()));

    // A later launch reads the mark the first one left.
    const std::string mark = temp.readFile(temp.root() + "/.com.tarnwick.ampora.unreadable");
    EXPECT_FALSE(mark.empty());

    // The same file put back in another form is a new file, and offered again.
    temp.writeFile(legacy, "<plist><dict><key>enabled</key><true/></dict></plist>");
    EXPECT_TRUE(LegacyMigration::shouldOffer());
    EXPECT_TRUE(LegacyMigration::migrate());
}
