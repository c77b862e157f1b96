// Bad files appearing under a running status-bar host: it keeps running,
// and draws the themed icon again once the file is repaired.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "hosts/statusbar/power/BatterySource.h"
#include "platform/foundation/Paths.h"
#include "platform/graphics/PNG.h"
#include "tests/support/TempPreferences.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using statusbar::BatteryState;

namespace {

// Width of the PNG the host wrote, or 0.
int stripWidth(const TempPreferences& prefs, const std::string& path) {
    cairo_surface_t* s = graphics::decodePNG(prefs.readFile(path));
    if (!s) return 0;
    const int width = cairo_image_surface_get_width(s);
    cairo_surface_destroy(s);
    return width;
}

bool waitForWidth(const TempPreferences& prefs, const std::string& png, int width) {
    for (auto start = std::chrono::steady_clock::now(); std::chrono::steady_clock::now() - start < 5s;) {
        if (stripWidth(prefs, png) == width) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

class Host {
public:
    explicit Host(std::vector<std::string> args) {
        args.insert(args.begin(), STATUSBAR_BINARY);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    }
    ~Host() {
        if (pid_ > 0) ::kill(pid_, SIGTERM), ::waitpid(pid_, nullptr, 0);
    }
    bool alive() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_ = -1;
};

int ampora(const std::string& arguments) {
    return std::system((std::string("'") + AMPORA_BINARY + "' " + arguments + " > /dev/null 2>&1").c_str());
}

std::string wideTheme() {
    return "(c,g,l,m,e){var f=document.createElement('canvas');f.width=60;f.height=c;"
           "f.getContext('2d').fillRect(0,0,60,c);return f.toDataURL('image/png')}";
}

// Ways a file can be bad, each put in place of `path`.
struct BadFile {
    const char* what;
    std::function<void(const TempPreferences&, const std::string&)> make;
};

std::vector<BadFile> badFiles() {
    return {
        {"a folder", [](const TempPreferences&, const std::string& p) { fs::create_directory(p); }},
        {"a FIFO", [](const TempPreferences&, const std::string& p) { ::mkfifo(p.c_str(), 0600); }},
        {"a link to /dev/zero", [](const TempPreferences&, const std::string& p) { fs::create_symlink("/dev/zero", p); }},
        {"a 2 GB sparse file",
         [](const TempPreferences& prefs, const std::string& p) {
             prefs.writeFile(p, "");
             ::truncate(p.c_str(), off_t(2) << 30);
         }},
        {"nested 100 000 deep",
         [](const TempPreferences& prefs, const std::string& p) {
             std::string deep;
             for (int i = 0; i < 100000; ++i) deep += "<dict><key>k</key>";
             prefs.writeFile(p, "<plist version=\"1.0\"><dict><key>a</key>" + deep + "</dict></plist>");
         }},
    };
}

}  // namespace

TEST(BadFilesUnderTheHost, HostSurvivesEachAndDrawsAgainWhenRepaired) {
    TempPreferences prefs;
    ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1);
    prefs.writeTheme("Ampora Connect", wideTheme());
    prefs.writeSettings({{"enabled", true}});
    const std::string png = prefs.root() + "/bar.png", battery = prefs.root() + "/battery";
    prefs.writeFile(battery, "57");
    Host host({"--png", png, "--battery-file", battery});
    ASSERT_TRUE(waitForWidth(prefs, png, 60)) << "the themed icon";

    const std::string settings = foundation::settingsFilePath(), theme = foundation::themeFolderPath() + "Ampora Connect.js";
    for (const auto& bad : badFiles())
        for (const std::string& path : {settings, theme}) {
            fs::remove_all(path);
            bad.make(prefs, path);
            ASSERT_EQ(ampora("notify"), 0);
            EXPECT_TRUE(waitForWidth(prefs, png, 54)) << "the stock battery with " << path << " as " << bad.what;
            EXPECT_TRUE(host.alive()) << path << " as " << bad.what;

            fs::remove_all(path);
            prefs.writeTheme("Ampora Connect", wideTheme());
            prefs.writeSettings({{"enabled", true}});
            ASSERT_EQ(ampora("notify"), 0);
            EXPECT_TRUE(waitForWidth(prefs, png, 60)) << "repaired after " << path << " as " << bad.what;
        }
    ::unsetenv("AMPORA_NOTIFY_DIR");
}

TEST(BadFilesUnderTheHost, BatteryFileGarbageKeepsTheLastGoodState) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/battery";
    auto source = statusbar::batteryFile(path);
    source->read();
    EXPECT_NE(source->unavailable().find("does not exist"), std::string::npos) << "nothing to draw before a good state";
    for (const char* garbage : {"", "-", "0x10", "50garbage", "fifty"}) {
        prefs.writeFile(path, garbage);
        source->read();
        EXPECT_FALSE(source->unavailable().empty()) << garbage;
    }
    prefs.writeFile(path, "42 charging");
    EXPECT_EQ(source->read(), (BatteryState{42, 1, false}));
    EXPECT_TRUE(source->unavailable().empty());
    for (const char* garbage : {"", "0x10", "50garbage", "57 sideways"}) {
        prefs.writeFile(path, garbage);
        EXPECT_EQ(source->read(), (BatteryState{42, 1, false})) << garbage;
    }
    prefs.writeFile(path, "-5");
    EXPECT_EQ(source->read().level, 0) << "clamped";
    prefs.writeFile(path, "250 full");
    EXPECT_EQ(source->read(), (BatteryState{100, 2, false}));
    prefs.writeFile(path, "99999999999999999999");
    EXPECT_EQ(source->read().level, 100);

    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(source->read().level, 100) << "a FIFO neither blocks nor changes the state";
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    EXPECT_EQ(source->read().level, 100);
}

TEST(BadFilesUnderTheHost, OnceReportsWhatItCouldNotDo) {
    TempPreferences prefs;
    const std::string host = std::string("'") + STATUSBAR_BINARY + "' --once ";
    const std::string noFolder = host + "--simulate 50 --png '" + prefs.root() + "/missing/x.png' 2>/dev/null";
    EXPECT_NE(std::system(noFolder.c_str()), 0) << "an unwritable --png is a failure";
    const std::string garbage = prefs.root() + "/battery";
    prefs.writeFile(garbage, "50garbage");
    const std::string noState = host + "--battery-file '" + garbage + "' --png '" + prefs.root() + "/x.png' 2>/dev/null";
    EXPECT_NE(std::system(noState.c_str()), 0) << "no good battery state: nothing drawn";
    EXPECT_FALSE(fs::exists(prefs.root() + "/x.png"));

    fs::remove(garbage);
    ASSERT_EQ(::mkfifo(garbage.c_str(), 0600), 0);
    const std::string fifo = "timeout 20 " + host + "--battery-file '" + garbage + "' 2>/dev/null";
    const int status = std::system(fifo.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "a FIFO battery file neither blocks nor draws";
}
