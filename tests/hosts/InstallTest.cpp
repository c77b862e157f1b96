#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// The build installed into a fresh prefix, run only from there.
class InstalledTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1);
        fs::create_directories(elsewhere);
        ASSERT_EQ(shell(quoted(CMAKE_COMMAND) + " --install " + quoted(AMPORA_BUILD_TREE) + " --prefix " +
                        quoted(prefix) + " > " + quoted(prefs.root() + "/install.log") + " 2>&1"),
                  0)
            << readWholeFile(prefs.root() + "/install.log");
    }
    void TearDown() override { ::unsetenv("AMPORA_NOTIFY_DIR"); }

    // Runs an installed program from a folder that is neither the build nor the prefix.
    int run(const std::string& program, const std::string& arguments, const std::string& output = "/dev/null") {
        return shell("cd " + quoted(elsewhere) + " && " + quoted(prefix + "/bin/" + program) + " " + arguments +
                     " > " + quoted(output) + " 2>&1");
    }

    TempPreferences prefs;
    const std::string prefix = prefs.root() + "/prefix", elsewhere = prefs.root() + "/elsewhere";
};

}  // namespace

TEST_F(InstalledTest, LaysOutADesktopProgram) {
    for (const char* path : {"bin/ampora", "bin/ampora-statusbar", "lib/ampora/plugins/libAmpora.so",
                             "lib/ampora/amporasettings.bundle/libamporasettings.so", "bin/ampora-settings",
                             "lib/ampora/ampora-settings-window.so",
                             "share/ampora/themes/Ampora Connect.js", "share/ampora/themes/Ampora LBI.js",
                             "share/applications/ampora-settings.desktop", "share/icons/hicolor/scalable/apps/ampora.svg",
                             "share/man/man1/ampora.1", "share/man/man1/ampora-statusbar.1"})
        EXPECT_TRUE(fs::exists(prefix + "/" + path)) << path;
    const std::string unit = readWholeFile(prefix + "/lib/systemd/user/ampora-statusbar.service");
    EXPECT_NE(unit.find("ExecStart=" + prefix + "/bin/ampora-statusbar --tray\n"), std::string::npos) << unit;
    EXPECT_NE(unit.find("Restart=on-failure"), std::string::npos);
    EXPECT_NE(unit.find("WantedBy=graphical-session.target"), std::string::npos);
    const std::string entry = prefix + "/share/applications/ampora-settings.desktop";
    EXPECT_NE(readWholeFile(entry).find("Exec=" + prefix + "/bin/ampora-settings\n"), std::string::npos);
    if (shell("command -v desktop-file-validate > /dev/null") == 0) {
        EXPECT_EQ(shell("desktop-file-validate " + quoted(entry)), 0);
    }
    if (shell("command -v systemd-analyze > /dev/null") == 0) {
        // The unit names an installed program, so verification also checks it is there.
        const std::string log = prefs.root() + "/verify.log";
        EXPECT_EQ(shell("systemd-analyze verify --man=no " + quoted(prefix + "/lib/systemd/user/ampora-statusbar.service") +
                        " > " + quoted(log) + " 2>&1"),
                  0)
            << readWholeFile(log);
    }
}

TEST_F(InstalledTest, DrawsTheThemedIconFromInstalledFilesOnly) {
    const std::string log = prefs.root() + "/run.log";
    // Marked, so that a copy from the source tree would show.
    const std::string shipped = prefix + "/share/ampora/themes/Ampora Connect.js";
    prefs.writeFile(shipped, readWholeFile(shipped) + "\n// installed copy\n");
    ASSERT_EQ(run("ampora", "install-themes", log), 0) << readWholeFile(log);
    EXPECT_NE(readWholeFile(prefs.root() + "/Ampora/Ampora Connect.js").find("// installed copy"), std::string::npos)
        << readWholeFile(log);
    ASSERT_EQ(run("ampora", "set enabled true"), 0);

    ASSERT_EQ(run("ampora-statusbar", "--once --png x.png --simulate 40 --verbose", log), 0) << readWholeFile(log);
    EXPECT_NE(readWholeFile(log).find("from " + prefix + "/lib/ampora/plugins:"), std::string::npos) << readWholeFile(log);
    ASSERT_EQ(run("ampora", "render --level 40 -o icon.png"), 0);
    const Pixmap strip = readPNG(elsewhere + "/x.png"), icon = readPNG(elsewhere + "/icon.png");
    EXPECT_NE(strip.width, 54) << "not the stock battery";
    EXPECT_EQ(strip.argb, icon.argb) << "the theme's own icon";

    // Every library the programs load comes from the prefix.
    const std::string libraries = prefs.root() + "/ldd.txt";
    shell("ldd " + quoted(prefix + "/bin/ampora-statusbar") + " " + quoted(prefix + "/bin/ampora") + " > " +
          quoted(libraries));
    EXPECT_EQ(readWholeFile(libraries).find(AMPORA_BUILD_TREE), std::string::npos) << readWholeFile(libraries);
    EXPECT_NE(readWholeFile(libraries).find("libampora_platform.so => " + prefix + "/"), std::string::npos);
}

TEST_F(InstalledTest, AClickOpensTheSettingsOfTheSameInstallation) {
    PrivateSessionBus bus;
    TestWatcher watcher(bus.address());
    const std::string settings = prefix + "/bin/ampora-settings", marker = prefs.root() + "/opened";
    fs::remove(settings);
    prefs.writeFile(settings, "#!/bin/sh\necho opened >> '" + marker + "'\nsleep 1\n");
    fs::permissions(settings, fs::perms::owner_all);

    HostProcess host(prefix + "/bin/ampora-statusbar", {"--tray", "--simulate", "57"});
    const std::string item = "org.kde.StatusNotifierItem-" + std::to_string(host.pid()) + "-1";
    ASSERT_TRUE(watcher.waitUntil([&] { return !watcher.registrations().empty(); }));
    EXPECT_TRUE(watcher.call(item, "Activate", "ii", 0, 0));
    ASSERT_EQ(shell("for i in $(seq 100); do [ -s '" + marker + "' ] && exit 0; sleep 0.05; done; exit 1"), 0);
    EXPECT_TRUE(watcher.call(item, "Activate", "ii", 0, 0)) << "the window is still open: no second one";

    EXPECT_TRUE(watcher.call(item, "SecondaryActivate", "ii", 0, 0));
    EXPECT_TRUE(watcher.scroll(item));
    // Without the program a click does nothing at all.
    fs::remove(settings);
    watcher.waitUntil([] { return false; }, std::chrono::milliseconds(1200));  // the first window closed
    EXPECT_TRUE(watcher.call(item, "Activate", "ii", 0, 0));
    watcher.waitUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(host.alive());
    EXPECT_EQ(readWholeFile(marker), "opened\n") << "one start in all";
}
