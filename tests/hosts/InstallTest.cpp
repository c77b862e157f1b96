#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

bool isELF(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, 4) && std::string(magic, 4) == "\x7f" "ELF";
}

// The build installed into a fresh prefix, run only from there, as the menu,
// the tray or systemd start it: from another folder, with no LD_LIBRARY_PATH.
class InstalledTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1);
        ::unsetenv("LD_LIBRARY_PATH");
        fs::create_directories(elsewhere);
        ASSERT_EQ(shell(quoted(CMAKE_COMMAND) + " --install " + quoted(AMPORA_BUILD_TREE) + " --prefix " +
                        quoted(prefix) + " > " + quoted(prefs.root() + "/install.log") + " 2>&1"),
                  0)
            << readWholeFile(prefs.root() + "/install.log");
    }
    void TearDown() override { ::unsetenv("AMPORA_NOTIFY_DIR"); }

    // Runs an installed program from a folder that is neither the build nor the prefix.
    int run(const std::string& program, const std::string& arguments, const std::string& output = "/dev/null") {
        return shell("cd " + quoted(elsewhere) + " && env -u LD_LIBRARY_PATH " + quoted(prefix + "/bin/" + program) +
                     " " + arguments + " > " + quoted(output) + " 2>&1");
    }
    std::string log(const std::string& name) const { return prefs.root() + "/" + name; }

    TempPreferences prefs;
    const std::string prefix = prefs.root() + "/prefix", elsewhere = prefs.root() + "/elsewhere";
};

// The RUNPATH entries of an ELF file, as readelf prints them.
// Its /proc entry loses the program's name while the process is still tearing
// down its memory, which under the sanitizers takes a while; until it is a
// zombie the tray rightly counts the window as open.
bool hasEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() || text[close + 2] == 'Z' || text[close + 2] == 'X';
}

std::vector<std::string> runpathOf(const fs::path& file, const std::string& scratch) {
    shell("readelf -d " + quoted(file) + " > " + quoted(scratch) + " 2>&1");
    std::vector<std::string> entries;
    std::istringstream lines(readWholeFile(scratch));
    for (std::string line; std::getline(lines, line);) {
        if (line.find("(RUNPATH)") == std::string::npos && line.find("(RPATH)") == std::string::npos) continue;
        const auto open = line.find('['), close = line.rfind(']');
        std::istringstream list(line.substr(open + 1, close - open - 1));
        for (std::string entry; std::getline(list, entry, ':');) entries.push_back(entry);
    }
    return entries;
}

}  // namespace

TEST_F(InstalledTest, LaysOutADesktopProgramAndListsEveryFileItInstalled) {
    for (const char* path : {"bin/ampora", "bin/ampora-statusbar", "lib/ampora/plugins/libAmpora.so",
                             "lib/ampora/amporasettings.bundle/libamporasettings.so", "bin/ampora-settings",
                             "lib/ampora/ampora-settings-window.so", "lib/ampora/ampora-theme-worker",
                             "share/ampora/themes/Ampora Connect.js", "share/ampora/themes/Ampora LBI.js",
                             "share/ampora/themes/Ampora Ring.js", "share/ampora/themes/Ampora Pie.js",
                             "share/applications/ampora-settings.desktop", "share/icons/hicolor/scalable/apps/ampora.svg",
                             "share/man/man1/ampora.1.gz", "share/man/man1/ampora-settings.1.gz", "share/man/man1/ampora-statusbar.1.gz",
                             "share/doc/ampora/copyright", "share/doc/ampora/changelog.Debian.gz"})
        EXPECT_TRUE(fs::exists(prefix + "/" + path)) << path;
    const std::string unit = readWholeFile(prefix + "/lib/systemd/user/ampora-statusbar.service");
    EXPECT_NE(unit.find("ExecStart=" + prefix + "/bin/ampora-statusbar --tray\n"), std::string::npos) << unit;
    EXPECT_NE(unit.find("Restart=on-failure"), std::string::npos);
    const std::string entry = prefix + "/share/applications/ampora-settings.desktop";
    EXPECT_NE(readWholeFile(entry).find("Exec=" + prefix + "/bin/ampora-settings\n"), std::string::npos);
    const std::string autostart = prefix + "/etc/xdg/autostart/ampora-statusbar.desktop";
    EXPECT_NE(readWholeFile(autostart).find("Exec=" + prefix + "/bin/ampora-statusbar --tray\n"), std::string::npos);
    if (shell("command -v desktop-file-validate > /dev/null") == 0) {
        EXPECT_EQ(shell("desktop-file-validate " + quoted(entry)), 0);
        EXPECT_EQ(shell("desktop-file-validate " + quoted(autostart)), 0);
    }
    if (shell("command -v systemd-analyze > /dev/null") == 0) {
        // The unit names an installed program, so verification also checks it is there.
        EXPECT_EQ(shell("systemd-analyze verify --man=no " + quoted(prefix + "/lib/systemd/user/ampora-statusbar.service") +
                        " > " + quoted(log("verify.log")) + " 2>&1"),
                  0)
            << readWholeFile(log("verify.log"));
    }

    // An uninstall from the manifest removes everything: every installed file is
    // listed. The build's own install_manifest.txt is shared by the tests that
    // install side by side, so this install keeps its list apart, through the
    // same install script `cmake --install` runs.
    const std::string listedPrefix = prefs.root() + "/listed", listed = log("manifest.txt");
    prefs.writeFile(log("install.cmake"), std::string("include(\"") + AMPORA_BUILD_TREE + "/cmake_install.cmake\")\n"
                    "string(REPLACE \";\" \"\\n\" files \"${CMAKE_INSTALL_MANIFEST_FILES}\")\n"
                    "file(WRITE \"" + listed + "\" \"${files}\\n\")\n");
    ASSERT_EQ(shell(quoted(CMAKE_COMMAND) + " -DCMAKE_INSTALL_PREFIX=" + quoted(listedPrefix) + " -P " +
                    quoted(log("install.cmake")) + " > /dev/null 2>&1"),
              0);
    std::istringstream manifest(readWholeFile(listed));
    std::set<std::string> names;
    for (std::string line; std::getline(manifest, line);) names.insert(line);
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(listedPrefix)) {
        if (e.is_directory()) continue;
        ++files;
        EXPECT_TRUE(names.count(e.path().string())) << e.path() << " is not in the install manifest";
    }
    EXPECT_GT(files, 20);
}

TEST_F(InstalledTest, EveryProgramAnswersItsVersion) {
    for (const char* program : {"ampora", "ampora-statusbar", "ampora-settings", "../lib/ampora/ampora-theme-worker"}) {
        ASSERT_EQ(run(program, "--version", log("version.txt")), 0) << program << readWholeFile(log("version.txt"));
        program = std::strrchr(program, '/') ? std::strrchr(program, '/') + 1 : program;
        EXPECT_EQ(readWholeFile(log("version.txt")), std::string(program) + " " + AMPORA_VERSION + "\n");
    }
}

TEST_F(InstalledTest, EveryInstalledProgramAndLibraryFindsItsLibrariesInThePrefix) {
    int elves = 0;
    for (const auto& e : fs::recursive_directory_iterator(prefix)) {
        if (!e.is_regular_file() || !isELF(e.path())) continue;
        ++elves;
        const fs::path folder = e.path().parent_path();
        for (const std::string& entry : runpathOf(e.path(), log("readelf.txt"))) {
            // Only $ORIGIN-relative folders that exist in the prefix: nothing of the
            // build tree, and no "$ORIGIN/" left by an empty variable.
            ASSERT_EQ(entry.rfind("$ORIGIN", 0), 0u) << e.path() << ": " << entry;
            EXPECT_EQ(entry.find("//"), std::string::npos) << e.path() << ": " << entry;
            EXPECT_NE(entry.back(), '/') << e.path() << ": " << entry;
            const fs::path target = fs::weakly_canonical(folder / entry.substr(std::string("$ORIGIN").size()).insert(0, "."));
            EXPECT_TRUE(fs::is_directory(target)) << e.path() << ": " << entry;
            EXPECT_EQ(target.string().rfind(fs::canonical(prefix).string(), 0), 0u) << e.path() << ": " << entry;
        }
        // And the loader agrees: nothing missing, nothing from the build.
        shell("env -u LD_LIBRARY_PATH ldd " + quoted(e.path()) + " > " + quoted(log("ldd.txt")) + " 2>&1");
        const std::string libraries = readWholeFile(log("ldd.txt"));
        EXPECT_EQ(libraries.find("not found"), std::string::npos) << e.path() << "\n" << libraries;
        EXPECT_EQ(libraries.find(AMPORA_BUILD_TREE), std::string::npos) << e.path() << "\n" << libraries;
    }
    EXPECT_GE(elves, 7) << "programs, worker, plug-in, bundle, window module, platform library";
}

TEST_F(InstalledTest, TheInstalledProgramsDrawFromInstalledFilesOnly) {
    // Marked, so that a copy from the source tree would show.
    const std::string shipped = prefix + "/share/ampora/themes/Ampora Connect.js";
    prefs.writeFile(shipped, readWholeFile(shipped) + "\n// installed copy\n");
    ASSERT_EQ(run("ampora", "install-themes", log("run.log")), 0) << readWholeFile(log("run.log"));
    EXPECT_NE(readWholeFile(prefs.root() + "/Ampora/Ampora Connect.js").find("// installed copy"), std::string::npos);
    ASSERT_EQ(run("ampora", "set enabled true"), 0);

    ASSERT_EQ(run("ampora-statusbar", "--once --png x.png --simulate 40 --verbose", log("run.log")), 0)
        << readWholeFile(log("run.log"));
    EXPECT_NE(readWholeFile(log("run.log")).find("from " + prefix + "/lib/ampora/plugins:"), std::string::npos)
        << readWholeFile(log("run.log"));
    ASSERT_EQ(run("ampora", "render --level 40 -o icon.png", log("run.log")), 0) << readWholeFile(log("run.log"));
    const Pixmap strip = readPNG(elsewhere + "/x.png"), icon = readPNG(elsewhere + "/icon.png");
    EXPECT_NE(strip.width, 54) << "not the stock battery";
    EXPECT_EQ(strip.argb, icon.argb) << "the theme's own icon";

    // The settings window shows the main page exactly as the build's own does.
    ASSERT_EQ(run("ampora-settings", "--page QVAXSettingsMainController --screenshot main.png", log("run.log")), 0)
        << readWholeFile(log("run.log"));
    ASSERT_EQ(shell("cd " + quoted(elsewhere) + " && " + quoted(SETTINGS_BINARY) +
                    " --page QVAXSettingsMainController --screenshot built.png > /dev/null 2>&1"),
              0);
    const Pixmap installed = readPNG(elsewhere + "/main.png"), built = readPNG(elsewhere + "/built.png");
    EXPECT_GT(installed.width, 300);
    EXPECT_EQ(installed.width, built.width);
    EXPECT_TRUE(installed.argb == built.argb) << "the installed window shows the main page as the build does";
}

TEST_F(InstalledTest, AClickOrTheMenuOpensTheInstalledSettingsWindow) {
    PrivateSessionBus bus;
    TestWatcher watcher(bus.address());
    // SDL's dummy video driver: the real window code, with no display to need.
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    HostProcess host(prefix + "/bin/ampora-statusbar", {"--tray", "--simulate", "57"});
    ::unsetenv("SDL_VIDEODRIVER");
    const std::string item = "org.kde.StatusNotifierItem-" + std::to_string(host.pid()) + "-1";
    ASSERT_TRUE(watcher.waitUntil([&] { return !watcher.registrations().empty(); }));

    // The windows running from this prefix, found by their program.
    const std::string settings = fs::canonical(prefix + "/bin/ampora-settings");
    auto windows = [&] {
        std::vector<pid_t> found;
        for (const auto& e : fs::directory_iterator("/proc")) {
            std::error_code ec;
            if (fs::read_symlink(e.path() / "exe", ec) == settings) found.push_back(std::stoi(e.path().filename()));
        }
        return found;
    };
    EXPECT_TRUE(watcher.call(item, "Activate", "ii", 0, 0));
    ASSERT_TRUE(watcher.waitUntil([&] { return windows().size() == 1; })) << "the installed window started";
    EXPECT_TRUE(watcher.call(item, "Activate", "ii", 0, 0));
    watcher.waitUntil([] { return false; }, std::chrono::milliseconds(500));
    const auto open = windows();
    EXPECT_EQ(open.size(), 1u) << "the window is still open: no second one";
    for (pid_t pid : open) ::kill(pid, SIGTERM);
    EXPECT_TRUE(watcher.waitUntil([&] {
        return windows().empty() && std::all_of(open.begin(), open.end(), hasEnded);
    }));

    // The menu's "Settings…" opens the same window.
    const std::string menu = watcher.menuPath(item);
    const auto layout = watcher.menuLayout(item, menu);
    ASSERT_TRUE(layout);
    const MenuItem* settingsItem = layout->root.find("Settings\u2026");
    ASSERT_TRUE(settingsItem);
    EXPECT_TRUE(watcher.menuEvent(item, menu, settingsItem->id));
    ASSERT_TRUE(watcher.waitUntil([&] { return windows().size() == 1; })) << "the window opened from the menu";
    for (pid_t pid : windows()) ::kill(pid, SIGTERM);
    EXPECT_TRUE(watcher.waitUntil([&] { return windows().empty(); }));
    EXPECT_TRUE(host.alive());
}
