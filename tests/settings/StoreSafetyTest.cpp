// The settings file's rewrite under hostile or concurrent conditions.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/PreferenceStore.h"
#include "settings/preview/DefaultThemeScript.h"
#include "settings/preview/RenderSettings.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;
using PreferenceStore::RewriteResult;
using PreferenceStore::WhenMissing;
namespace fs = std::filesystem;

namespace {

RewriteResult setKey(const std::string& key, const PlistValue& value) {
    return PreferenceStore::rewrite(settingsFilePath(), WhenMissing::StartEmpty,
                                    [&](PlistDictionary& s) { s.insert_or_assign(key, value); });
}

}  // namespace

TEST(StoreSafety, AnUnreadableSettingsFileIsNeverReplaced) {
    TempPreferences prefs;
    const std::string path = settingsFilePath();
    const std::string typo = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>theme</key><strin>Mine</string>"
                             "<key>lowLevel</key><integer>30</integer></dict></plist>";
    prefs.writeFile(path, typo);
    const RewriteResult result = setKey("enabled", true);
    EXPECT_EQ(result.outcome, RewriteResult::Outcome::RefusedUnreadable);
    EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("left as it is"), std::string::npos) << result.message;
    EXPECT_EQ(prefs.readFile(path), typo);

    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(setKey("enabled", true).outcome, RewriteResult::Outcome::RefusedUnreadable);
    EXPECT_TRUE(fs::is_directory(path));
    fs::remove(path);

    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(setKey("enabled", true).outcome, RewriteResult::Outcome::RefusedUnreadable) << "and no hang";
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST(StoreSafety, ConcurrentWritersLoseNoUpdate) {
    TempPreferences prefs;
    prefs.writeSettings({{"enabled", true}});
    constexpr int kRounds = 500;
    auto loop = [](const char* prefix) {
        int failures = 0;
        for (int i = 0; i < kRounds; ++i) failures += !setKey(prefix + std::to_string(i), i);
        return failures;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(loop("child") == 0 ? 0 : 1);
    EXPECT_EQ(loop("parent"), 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const auto settings = readDictionaryFromFile(settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->size(), 2u * kRounds + 1);
    EXPECT_EQ(settings->at("child499"), PlistValue(499));
    EXPECT_EQ(settings->at("parent0"), PlistValue(0));
}

TEST(StoreSafety, TheNextWriterRemovesTemporariesKilledWritersLeft) {
    TempPreferences prefs;
    const std::string left = settingsFilePath() + ".tmp.Kx81Qa";
    prefs.writeFile(left, "half a plist");
    const struct timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, left.c_str(), old, 0);
    ASSERT_TRUE(setKey("enabled", true));
    EXPECT_FALSE(fs::exists(left));
}

TEST(StoreSafety, PreviewsRefuseThemeNamesThatLeaveTheThemeFolder) {
    TempPreferences prefs;
    // A script beside the preferences root that "../x" would reach.
    prefs.writeFile(prefs.root() + "/x.js", "(c,g,l,m,e){return 'outside the theme folder, padded to be long enough for a theme script'}");
    prefs.writeSettings({{"theme", "../x"}});
    EXPECT_EQ(getBatteryRenderSettings().darkSettings->script, defaultThemeScript());
    EXPECT_EQ(getBatteryRenderSettingsForProfile({{"theme", "../x"}}).darkSettings->script, defaultThemeScript());
}
