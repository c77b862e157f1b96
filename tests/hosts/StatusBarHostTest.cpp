#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <thread>

#include "platform/graphics/PNG.h"
#include "tests/support/TempPreferences.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

std::string blockTheme(int width) {
    return "(c,g,l,m,e){var f=document.createElement('canvas');f.width=" + std::to_string(width) +
           ";f.height=c;var a=f.getContext('2d');a.fillStyle='rgb('+e.join()+')';a.fillRect(0,0,f.width,c);"
           "return f.toDataURL('image/png')}";
}

struct Strip {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Strip readStrip(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Strip strip;
    cairo_surface_t* s = graphics::decodePNG(bytes);
    if (!s) return strip;
    s = graphics::asARGB32(s);
    strip.width = cairo_image_surface_get_width(s);
    strip.height = cairo_image_surface_get_height(s);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x) {
            uint32_t p;
            std::memcpy(&p, cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4, 4);
            strip.pixels.push_back(p);
        }
    cairo_surface_destroy(s);
    return strip;
}

class Host {
public:
    Host(const std::vector<std::string>& arguments) {
        std::vector<std::string> args{STATUSBAR_BINARY};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    }
    ~Host() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool alive() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    pid_t pid_ = -1;
};

int ampora(const std::string& arguments) {
    return std::system((std::string("'") + AMPORA_BINARY + "' " + arguments + " > /dev/null").c_str());
}

// Waits for the strip to satisfy `condition`; returns how long it took, or -1 ms.
std::chrono::milliseconds waitFor(const std::string& path, const std::function<bool(const Strip&)>& condition,
                                  std::chrono::milliseconds limit = 3000ms) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < limit) {
        if (std::filesystem::exists(path) && condition(readStrip(path)))
            return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::this_thread::sleep_for(20ms);
    }
    return -1ms;
}

bool widthIs(const Strip& s, int width) { return s.width == width; }

}  // namespace

TEST(StatusBarHost, SettingsChangesRedrawTheRunningStatusBar) {
    TempPreferences prefs;
    const std::string notifyFolder = prefs.root() + "/notify";
    ::setenv("AMPORA_NOTIFY_DIR", notifyFolder.c_str(), 1);
    prefs.writeTheme("Ampora Connect", blockTheme(60));
    prefs.writeTheme("Narrow", blockTheme(30));
    prefs.writeTheme("Low", blockTheme(20));
    prefs.writeTheme("Broken", "(c,g,l,m,e){ return 'oops' + ; /* a syntax error, padded well past the minimum length of a theme script file */ }");
    prefs.writeTheme("Loop", "(c,g,l,m,e){ for (;;) {} /* never returns; padded well past the minimum length of a theme script file */ }");
    const std::string battery = prefs.root() + "/battery", png = prefs.root() + "/battery.png";
    prefs.writeFile(battery, "57");

    Host host({"--png", png, "--battery-file", battery});
    // No settings: the host's own battery, 27 points wide at 2x.
    ASSERT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 54); }), 0ms) << "stock battery";

    ASSERT_EQ(ampora("set enabled true"), 0);
    // The worker warms up from the host's start; on a loaded machine that may outlast the first request.
    const auto took = waitFor(png, [](const Strip& s) { return widthIs(s, 60); }, 2000ms);
    EXPECT_GE(took, 0ms) << "the themed icon within two seconds";

    ampora("set theme Narrow");
    EXPECT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 30); }), 0ms) << "switching theme redraws";

    ampora("set useSecondTheme true");
    ampora("set secondThemeLimit 20");
    ampora("set secondTheme Low");
    prefs.writeFile(battery, "15");
    EXPECT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 20); }), 0ms) << "the secondary theme at a low level";

    // Charging without chargeSym: no accessory, no padding, the charging color throughout.
    prefs.writeFile(battery, "57 charging");
    ASSERT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 30); }), 0ms);
    EXPECT_EQ(readStrip(png).at(29, 20), 0xFF00FF00u);

    // With chargeSym: 7 points of padding where the host's white bolt stands.
    ampora("set chargeSym true");
    ASSERT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 44); }), 0ms);
    const Strip padded = readStrip(png);
    int bolt = 0;
    for (int y = 0; y < padded.height; ++y)
        for (int x = 30; x < 44; ++x) bolt += padded.at(x, y) == 0xFFFFFFFFu;
    EXPECT_GT(bolt, 20) << "the charging accessory";

    // Broken themes never stop the host; the next good setting shows again.
    ampora("set theme Broken");
    EXPECT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 68); }), 0ms)
        << "no image: the stock battery, with room for the accessory";
    ampora("set theme Loop");
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(host.alive());
    ampora("set theme Narrow");
    EXPECT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 44); }), 0ms);
    EXPECT_TRUE(host.alive());
    ::unsetenv("AMPORA_NOTIFY_DIR");
}

TEST(StatusBarHost, OnceWritesOneFrameAndExits) {
    TempPreferences prefs;
    const std::string png = prefs.root() + "/once.png";
    ASSERT_EQ(std::system((std::string("'") + STATUSBAR_BINARY + "' --once --simulate 100:full --png '" + png + "'").c_str()), 0);
    const Strip strip = readStrip(png);
    EXPECT_EQ(strip.width, 68) << "stock battery with room for the accessory";
    EXPECT_EQ(strip.height, 40);
    EXPECT_NE(std::system((std::string("'") + STATUSBAR_BINARY + "' --simulate 101 --once 2>/dev/null").c_str()), 0);
}

TEST(StatusBarHost, SystemVersionDecidesWhetherLowPowerModeIsAsked) {
    TempPreferences prefs;
    prefs.writeTheme("Ampora Connect", blockTheme(30));
    prefs.writeSettings({{"enabled", true}});
    const std::string png = prefs.root() + "/lpm.png";
    auto colorAt = [&](const char* version) {
        const std::string command = std::string("'") + STATUSBAR_BINARY + "' --once --simulate 57:lpm --system-version " +
                                    version + " --png '" + png + "'";
        if (std::system(command.c_str()) != 0) return 0u;
        return readStrip(png).at(5, 20);
    };
    EXPECT_EQ(colorAt("9.0"), 0xFFFFCC00u) << "low-power color from 9.0 on";
    EXPECT_EQ(colorAt("10.2"), 0xFFFFCC00u);
    EXPECT_EQ(colorAt("8.4"), 0xFFFFFFFFu) << "before 9.0 low-power mode reads as off";
}

TEST(StatusBarHost, KeepsDrawingThroughHostileThemes) {
    TempPreferences prefs;
    const std::string notifyFolder = prefs.root() + "/notify";
    ::setenv("AMPORA_NOTIFY_DIR", notifyFolder.c_str(), 1);
    prefs.writeTheme("Ampora Connect", blockTheme(60));
    const std::string pad = " /* padded well past the minimum length of a theme script file */ ";
    const std::pair<const char*, std::string> hostile[] = {
        {"Wasm", "(c,g,l,m,e){ new WebAssembly.Instance(new WebAssembly.Module(new Uint8Array([0,97,115,109,1,0,0,0]))); for(;;){} }"},
        {"Canvases", "(c,g,l,m,e){ var k=[]; for(;;) k.push(document.createElement('canvas').getContext('2d').createImageData(512,512)); }"},
        {"Bomb", "(c,g,l,m,e){ var k=[], x=document.createElement('canvas').getContext('2d'); for(;;) k.push(x.getImageData(0,0,4096,4096)); }"},
        {"Getter", "(c,g,l,m,e){ Object.defineProperty(globalThis,'x',{get(){for(;;){}}}); Array.prototype.join=function(){return '255,0,0'}; return ''; }"},
        {"Blur", "(c,g,l,m,e){ var f=document.createElement('canvas'), a=f.getContext('2d'); a.shadowColor='red'; a.shadowBlur=2.3e9; a.fillRect(0,0,9,9); return f.toDataURL(); }"},
    };
    for (const auto& [name, script] : hostile) prefs.writeTheme(name, script + pad);
    const std::string battery = prefs.root() + "/battery", png = prefs.root() + "/battery.png";
    prefs.writeFile(battery, "57");
    prefs.writeSettings({{"enabled", true}});

    Host host({"--png", png, "--battery-file", battery});
    ASSERT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 60); }), 0ms);
    for (const auto& [name, script] : hostile) {
        ampora(std::string("set theme ") + name);
        std::this_thread::sleep_for(1500ms);
        EXPECT_TRUE(host.alive()) << name;
        ampora("set theme 'Ampora Connect'");
        EXPECT_GE(waitFor(png, [](const Strip& s) { return widthIs(s, 60) && s.at(5, 5) == 0xFFFFFFFFu; }, 1000ms), 0ms)
            << "Ampora Connect redraws within a second after " << name;
    }
    EXPECT_TRUE(host.alive());
    ::unsetenv("AMPORA_NOTIFY_DIR");
}
