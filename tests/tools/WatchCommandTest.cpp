// `ampora watch` beside a running status bar, both started as a person starts them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/graphics/PNG.h"
#include "tests/tools/CommandTestSupport.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A theme of one black block `width` pixels wide; `broken` adds a syntax error on line 2.
std::string blockTheme(int width, bool broken = false) {
    const std::string w = std::to_string(width);
    return "(c,g,l,m,e){var f=document.createElement('canvas');f.width=" + w + ";f.height=c;\n" +
           "  f.getContext('2d').fillRect(0,0," + w + ",c)" + (broken ? " +;" : ";") + "\n" +
           "  return f.toDataURL('image/png')}";
}

class Spawned {
public:
    Spawned(std::vector<std::string> args, const std::string& output) {
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Spawned() { stop(SIGKILL); }
    // Sends `signal` and waits; the exit status, or -1.
    int stop(int signal) {
        if (pid_ <= 0) return -1;
        ::kill(pid_, signal);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
};

int pngWidth(const std::string& path) {
    std::error_code error;
    if (!fs::exists(path, error)) return -1;
    cairo_surface_t* s = graphics::decodePNG(TempPreferences().readFile(path));
    if (!s) return -1;
    const int width = cairo_image_surface_get_width(s);
    cairo_surface_destroy(s);
    return width;
}

// How long until `done`, or -1 ms past `limit`.
std::chrono::milliseconds waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < limit) {
        if (done()) return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::this_thread::sleep_for(5ms);
    }
    return -1ms;
}

class WatchCommand : public CommandTest {
protected:
    // Saved as editors save: a new file renamed over the old one.
    void save(const std::string& text) {
        prefs.writeFile(theme + ".new", text);
        fs::rename(theme + ".new", theme);
    }
    bool said(const std::string& text) const { return prefs.readFile(out).find(text) != std::string::npos; }

    const std::string theme = prefs.root() + "/Ampora/Block.js", png = prefs.root() + "/bar.png";
    const std::string out = prefs.root() + "/watch.out", sheet = prefs.root() + "/sheet.png";
};

}  // namespace

TEST_F(WatchCommand, ASaveRedrawsTheStatusBarAndABrokenOneLeavesItsLastGoodPicture) {
    prefs.writeFile(theme, blockTheme(40));
    ASSERT_EQ(ampora("set theme Block").status, 0);
    ASSERT_EQ(ampora("set enabled true").status, 0);
    Spawned host({STATUSBAR_BINARY, "--png", png, "--simulate", "57", "--panel", "dark", "--verbose"}, prefs.root() + "/host.out");
    ASSERT_GE(waitFor([&] { return pngWidth(png) == 40; }), 0ms);
    Spawned watch({AMPORA_BINARY, "watch", "Block", "--sheet", sheet, "--level", "42"}, out);
    ASSERT_GE(waitFor([&] { return said("watching "); }), 0ms) << prefs.readFile(out);
    EXPECT_TRUE(said("normal 42%")) << prefs.readFile(out);
    EXPECT_TRUE(fs::exists(sheet));

    save(blockTheme(70));
    const auto took = waitFor([&] { return pngWidth(png) == 70; });
    EXPECT_GE(took, 0ms) << "the status bar draws the saved theme\n" << prefs.readFile(out);
    std::printf("a save reached the status bar in %lld ms\n", static_cast<long long>(took.count()));
    // The status bar reads the file when told; the next save waits until it has.
    auto told = [&] {
        const std::string text = prefs.readFile(out);
        size_t n = 0;
        for (size_t at = 0; (at = text.find("told to draw it again", at)) != std::string::npos; ++at) ++n;
        return n;
    };
    ASSERT_GE(waitFor([&] { return told() == 2; }), 0ms) << prefs.readFile(out);
    std::this_thread::sleep_for(300ms);

    save(blockTheme(90, /*broken=*/true));
    ASSERT_GE(waitFor([&] { return said("left on its last good picture"); }), 0ms) << prefs.readFile(out);
    EXPECT_TRUE(said("line 2, column ")) << prefs.readFile(out);
    EXPECT_TRUE(said("SyntaxError")) << prefs.readFile(out);
    EXPECT_TRUE(said("  f.getContext('2d').fillRect(0,0,90,c) +;\n")) << "the source line";
    EXPECT_TRUE(said("the same error")) << "shown once, not in every state";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(pngWidth(png), 70) << "the status bar keeps the last good picture\n" << prefs.readFile(prefs.root() + "/host.out");

    save(blockTheme(30));
    EXPECT_GE(waitFor([&] { return pngWidth(png) == 30; }), 0ms) << "mended, it is drawn again";
    EXPECT_EQ(watch.stop(SIGINT), 0) << "Ctrl+C ends it";
}

TEST_F(WatchCommand, AThemeTheStatusBarDoesNotShowIsOnlyDrawn) {
    prefs.writeFile(theme, blockTheme(40));
    const std::string notices = prefs.root() + "/notify";
    Spawned watch({AMPORA_BINARY, "watch", theme}, out);
    ASSERT_GE(waitFor([&] { return said("watching "); }), 0ms) << prefs.readFile(out);
    save("(c,g,l,m,e){ return 1 }");
    ASSERT_GE(waitFor([&] { return said("unusable:"); }), 0ms) << prefs.readFile(out);
    EXPECT_TRUE(said("at least 100 are needed")) << prefs.readFile(out);
    save(blockTheme(50));
    ASSERT_GE(waitFor([&] { return said("50 x 40 px"); }), 0ms) << prefs.readFile(out);
    EXPECT_FALSE(said("status bar: told")) << "not the selected theme: no notification";
    EXPECT_EQ(ampora("watch").status, 2);
    EXPECT_EQ(ampora("watch Nonexistent").status, 2);
}
