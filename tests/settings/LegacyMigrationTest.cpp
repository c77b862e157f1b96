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

TEST(LegacyMigration, AnUnreadableLegacyFileIsNotOfferedForever) {
    TempPreferences temp;
    temp.writeFile(foundation::legacySettingsFilePath(), "<plist><dict><key>enabled</key>");
    EXPECT_TRUE(LegacyMigration::shouldOffer());
    EXPECT_FALSE(LegacyMigration::migrate());
    EXPECT_FALSE(LegacyMigration::shouldOffer());
    EXPECT_FALSE(foundation::readDictionaryFromFile(foundation::settingsFilePath()));
}
