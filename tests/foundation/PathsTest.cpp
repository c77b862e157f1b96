#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    ::setenv("XDG_CONFIG_HOME", "/nonexistent-config", 1);
    EXPECT_EQ(preferencesRoot(), "/nonexistent-config/ampora");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ::setenv("HOME", "/nonexistent-home", 1);
    EXPECT_EQ(preferencesRoot(), "/nonexistent-home/.config/ampora") << "a relative base is ignored";
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(preferencesRoot(), "/nonexistent-home/.config/ampora");
    EXPECT_EQ(legacyPreferencesRoot(), "/nonexistent-home/.local/share/ampora/Preferences");
}

namespace {

// A home of its own with the old root holding a settings file and a theme.
struct OldRootHome {
    explicit OldRootHome(const char* base) {
        std::string pattern = std::string(base) + "/ampora-home-XXXXXX";
        home = ::mkdtemp(pattern.data());
        oldRoot = home + "/data/ampora/Preferences";
        std::filesystem::create_directories(oldRoot + "/Ampora");
        std::ofstream(oldRoot + "/com.kelvary.ampora.plist") << "<plist><dict/></plist>";
        std::ofstream(oldRoot + "/Ampora/Mine.js") << "theme";
        ::unsetenv("AMPORA_PREFERENCES");
        ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    }
    ~OldRootHome() {
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        std::error_code error;
        std::filesystem::remove_all(home, error);
    }
    std::string home, oldRoot;
};

std::string contents(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

TEST(Paths, AnOldRootMovesToTheConfigFolderOnceAndWhole) {
    OldRootHome home("/tmp");
    ::setenv("XDG_CONFIG_HOME", (home.home + "/config").c_str(), 1);
    const std::string root = preferencesRoot();
    EXPECT_EQ(root, home.home + "/config/ampora");
    EXPECT_EQ(contents(root + "/Ampora/Mine.js"), "theme");
    EXPECT_TRUE(std::filesystem::exists(root + "/com.kelvary.ampora.plist"));
    EXPECT_FALSE(std::filesystem::exists(home.oldRoot));

    // A root made at the old place later is not moved over the new one.
    std::filesystem::create_directories(home.oldRoot);
    EXPECT_EQ(preferencesRoot(), root);
    EXPECT_TRUE(std::filesystem::exists(home.oldRoot));

    ::setenv("AMPORA_PREFERENCES", (home.home + "/own").c_str(), 1);
    EXPECT_EQ(preferencesRoot(), home.home + "/own") << "the variable still wins";
    ::unsetenv("AMPORA_PREFERENCES");
}

TEST(Paths, AnOldRootOnAnotherFileSystemIsCopiedThenRenamed) {
    struct stat shm {}, tmp {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "needs /dev/shm and /tmp on different file systems";
    OldRootHome home("/tmp");
    std::string pattern = "/dev/shm/ampora-config-XXXXXX";
    const std::string config = ::mkdtemp(pattern.data());
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string root = preferencesRoot();
    EXPECT_EQ(root, config + "/ampora");
    EXPECT_EQ(contents(root + "/Ampora/Mine.js"), "theme");
    EXPECT_FALSE(std::filesystem::exists(home.oldRoot));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(config)) ++entries;
    EXPECT_EQ(entries, 1u) << "no partial copy is left beside the new root";
    std::filesystem::remove_all(config);
}
