#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/foundation/Paths.h"

using namespace foundation;

TEST(Paths, EverythingLivesUnderTheRoot) {
    ::setenv("AMPORA_PREFERENCES", "/tmp/prefs/", 1);
    EXPECT_EQ(preferencesRoot(), "/tmp/prefs");
    EXPECT_EQ(settingsFilePath(), "/tmp/prefs/com.kelvary.ampora.plist");
    EXPECT_EQ(legacySettingsFilePath(), "/tmp/prefs/com.tarnwick.ampora.plist");
    EXPECT_EQ(themeFolderPath(), "/tmp/prefs/Ampora/");
    EXPECT_EQ(profilesFolderPath(), "/tmp/prefs/Ampora/Profiles/");
    ::unsetenv("AMPORA_PREFERENCES");
}

TEST(Paths, DefaultRootFollowsXDG) {
    ::unsetenv("AMPORA_PREFERENCES");
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(preferencesRoot(), "/data/ampora/Preferences");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(preferencesRoot(), "/home/someone/.local/share/ampora/Preferences");
}
