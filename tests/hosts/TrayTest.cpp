#include <gtest/gtest.h>

#include <signal.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <filesystem>

#include "tests/hosts/TrayFixture.h"
#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class TrayTest : public TrayFixture {
protected:
    bool sameAsPNG(TestWatcher& watcher, const std::string& item) {
        const auto pixmaps = watcher.pixmapProperty(item, "IconPixmap");
        if (pixmaps.empty()) return false;
        const Pixmap tray = premultiplied(pixmaps[0]), file = readPNG(png);
        return tray.width == file.width && tray.height == file.height && tray.argb == file.argb;
    }
};

}  // namespace

TEST_F(TrayTest, TheItemShowsWhatTheStatusBarDraws) {
    TestWatcher watcher(bus.address());
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    const std::string item = itemName(host);
    ASSERT_TRUE(watcher.waitUntil([&] { return !watcher.registrations().empty(); }));
    EXPECT_EQ(watcher.registrations()[0], item);
    EXPECT_EQ(watcher.stringProperty(item, "Category"), "Hardware");
    EXPECT_EQ(watcher.stringProperty(item, "Id"), "ampora");
    EXPECT_EQ(watcher.stringProperty(item, "Status"), "Active");
    EXPECT_EQ(watcher.toolTipTitle(item), "57 %, on battery");

    // The engine is off: the host's stock battery, the very pixels of the PNG.
    ASSERT_TRUE(watcher.waitUntil([&] { return fs::exists(png); }));
    EXPECT_TRUE(sameAsPNG(watcher, item));
    const auto stock = watcher.pixmapProperty(item, "IconPixmap");
    ASSERT_EQ(stock.size(), 2u);
    EXPECT_EQ(stock[0].width, 54);
    EXPECT_EQ(stock[1].height, stock[0].height / 2);

    watcher.waitUntil([] { return false; }, 100ms);  // signals of the first frame
    const int before = watcher.newIcons();
    ASSERT_EQ(ampora("set enabled true"), 0);
    EXPECT_TRUE(watcher.waitUntil(
        [&] { return watcher.newIcons() > before && watcher.pixmapProperty(item, "IconPixmap")[0].argb != stock[0].argb; },
        1000ms))
        << "NewIcon and the themed icon within a second";
    // The default theme is wide: the tray gets its square companion, the PNG the theme itself.
    EXPECT_TRUE(watcher.waitUntil([&] {
        const auto now = watcher.pixmapProperty(item, "IconPixmap");
        return !now.empty() && now[0].width == now[0].height;
    }));
    EXPECT_GT(readPNG(png).width, readPNG(png).height);
    EXPECT_EQ(watcher.toolTip(item).second, "") << "a starting worker is no failure to report";

    prefs.writeFile(batteryFile, "12");
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.stringProperty(item, "Status") == "NeedsAttention"; }));
    EXPECT_EQ(watcher.toolTipTitle(item), "12 %, on battery");
    prefs.writeFile(batteryFile, "12 charging");
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.stringProperty(item, "Status") == "Active"; }));
    EXPECT_EQ(watcher.toolTipTitle(item), "12 %, charging");

    // Clicks other than the primary one do nothing, and answer.
    EXPECT_TRUE(watcher.call(item, "SecondaryActivate", "ii", 10, 10));
    EXPECT_TRUE(watcher.scroll(item));
    EXPECT_TRUE(host.alive());
}

TEST_F(TrayTest, RegistersWithATrayThatStartsLater) {
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    // No tray yet: the host keeps drawing.
    ASSERT_EQ(shell("for i in $(seq 100); do [ -e '" + png + "' ] && exit 0; sleep 0.05; done; exit 1"), 0);
    TestWatcher late(bus.address());
    ASSERT_TRUE(late.waitUntil([&] { return late.registrations().size() == 1; }));
    EXPECT_EQ(late.registrations()[0], itemName(host));
    EXPECT_EQ(late.toolTipTitle(itemName(host)), "57 %, on battery");
}

TEST_F(TrayTest, RegistersWithATrayStartedAfterOneWasKilled) {
    const std::string first = prefs.root() + "/first", second = prefs.root() + "/second";
    auto registered = [](const std::string& path) {
        return shell("for i in $(seq 100); do [ -s '" + path + "' ] && exit 0; sleep 0.05; done; exit 1") == 0;
    };
    auto tray = std::make_unique<HostProcess>(STAND_IN_TRAY, std::vector<std::string>{"record", first});
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    ASSERT_TRUE(registered(first));
    ::kill(tray->pid(), SIGKILL);
    tray.reset();
    HostProcess another(STAND_IN_TRAY, {"record", second});
    ASSERT_TRUE(registered(second));
    EXPECT_EQ(readWholeFile(second), itemName(host) + "\n");
    EXPECT_EQ(readWholeFile(first), itemName(host) + "\n");
}

TEST_F(TrayTest, AWatcherThatNeverAnswersStallsNothing) {
    TestWatcher broken(bus.address(), /*answers=*/false);
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    ASSERT_TRUE(broken.waitUntil([&] { return !broken.registrations().empty(); }));
    const int before = broken.newIcons();
    ASSERT_EQ(ampora("set enabled true"), 0);
    EXPECT_TRUE(broken.waitUntil([&] { return broken.newIcons() > before; }, 1000ms));
    EXPECT_TRUE(broken.waitUntil([&] { return readPNG(png).width != 54; }, 1000ms)) << "the PNG is redrawn too";
    EXPECT_TRUE(host.alive());
}

TEST_F(TrayTest, WithoutASessionBusTheHostStillDraws) {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + prefs.root() + "/no-bus").c_str(), 1);
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    EXPECT_EQ(shell("for i in $(seq 100); do [ -e '" + png + "' ] && exit 0; sleep 0.05; done; exit 1"), 0);
    EXPECT_TRUE(host.alive());
}

TEST_F(TrayTest, WaybarGetsOneJsonLinePerRedraw) {
    const std::string out = prefs.root() + "/waybar.out";
    HostProcess host(STATUSBAR_BINARY, {"--waybar", "--once", "--simulate", "57:charging", "--png", png}, out);
    ASSERT_EQ(host.wait(), 0);
    EXPECT_EQ(readWholeFile(out),
              "{\"text\": \"57%\", \"tooltip\": \"Battery 57 %, charging\", \"class\": [\"charging\"], "
              "\"percentage\": 57}\n");
    EXPECT_TRUE(fs::exists(png)) << "beside the PNG";
}

TEST_F(TrayTest, OneItemPerSessionUntilAnotherTakesOver) {
    TestWatcher watcher(bus.address());
    auto first = std::make_unique<HostProcess>(STATUSBAR_BINARY, trayArguments());
    ASSERT_TRUE(watcher.waitUntil([&] { return watcher.registrations().size() == 1; }));

    const std::string said = prefs.root() + "/second.err";
    EXPECT_EQ(shell(std::string("'") + STATUSBAR_BINARY + "' --tray --simulate 40 2> '" + said + "'"), 0)
        << "a second one is no failure: the icon is already there";
    EXPECT_EQ(readWholeFile(said), "ampora-statusbar: already running (pid " + std::to_string(first->pid()) + ")\n");
    watcher.waitUntil([] { return false; }, 200ms);
    EXPECT_EQ(watcher.registrations().size(), 1u) << "no second icon";

    std::vector<std::string> replacing = trayArguments();
    replacing.push_back("--replace");
    HostProcess second(STATUSBAR_BINARY, replacing);
    EXPECT_TRUE(watcher.waitUntil([&] { return !first->alive(); })) << "the first one ends when replaced";
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.registrations().size() == 2; }));
    EXPECT_EQ(watcher.registrations().back(), itemName(second));
    EXPECT_TRUE(second.alive());
}

TEST_F(TrayTest, ABrokenThemeShowsTheStockBatteryAndSaysWhy) {
    prefs.writeTheme("Broken", "(c,g,l,m,e){var f=document.createElement('canvas');f.width=6;f.height=c;"
                               "paintTheLevel(f,l);return f.toDataURL('image/png')}");
    ASSERT_EQ(ampora("set theme Broken --force"), 0);
    ASSERT_EQ(ampora("set enabled true"), 0);
    TestWatcher watcher(bus.address());
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    const std::string item = itemName(host);
    ASSERT_TRUE(shownIn(watcher));

    const auto pixmaps = watcher.pixmapProperty(item, "IconPixmap");
    ASSERT_FALSE(pixmaps.empty());
    EXPECT_EQ(pixmaps[0].width, 54) << "the stock battery, not a blank picture";
    const auto [title, description] = watcher.toolTip(item);
    EXPECT_EQ(title, "57 %, on battery");
    EXPECT_NE(description.find("Theme \"Broken\" failed"), std::string::npos) << description;
    EXPECT_NE(description.find("paintTheLevel"), std::string::npos) << description;

    // Mended, the themed icon is back and the reason goes.
    prefs.writeTheme("Broken", "(c,g,l,m,e){var f=document.createElement('canvas');f.width=30;f.height=c;"
                               "f.getContext('2d').fillRect(0,0,30,c);return f.toDataURL('image/png')}");
    ASSERT_EQ(ampora("notify"), 0);
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.toolTip(item).second.empty(); }));
    EXPECT_NE(watcher.pixmapProperty(item, "IconPixmap")[0].width, 54);
}

TEST_F(TrayTest, SquareSlotsGetSquareIconsAndAWideThemeItsSquareCompanion) {
    // Stand-ins that tell themselves apart by color: a wide theme in green, the companion in red.
    auto block = [](const char* width, const char* color) {
        return std::string("(c,g,l,m,e){var f=document.createElement('canvas');f.width=") + width +
               ";f.height=c;var a=f.getContext('2d');a.fillStyle='" + color +
               "';a.fillRect(0,0,f.width,c);return f.toDataURL('image/png')}";
    };
    prefs.writeTheme("Wide", block("3*c", "#00ff00"));
    prefs.writeTheme("Ampora Ring", block("c", "#ff0000"));
    ASSERT_EQ(ampora("set theme Wide"), 0);
    ASSERT_EQ(ampora("set enabled true"), 0);
    TestWatcher watcher(bus.address());
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    const std::string item = itemName(host);
    ASSERT_TRUE(shownIn(watcher));

    auto centre = [](const Pixmap& p) {  // A R G B, straight alpha
        const size_t at = (size_t(p.height / 2) * p.width + p.width / 2) * 4;
        return std::array<int, 4>{p.argb[at], p.argb[at + 1], p.argb[at + 2], p.argb[at + 3]};
    };
    const auto pixmaps = watcher.pixmapProperty(item, "IconPixmap");
    std::vector<int> sizes;
    for (const auto& p : pixmaps) {
        EXPECT_EQ(p.width, p.height) << "square";
        sizes.push_back(p.width);
        EXPECT_EQ(centre(p), (std::array<int, 4>{255, 255, 0, 0})) << "the companion, at " << p.width << " px";
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 22, 24, 32, 44, 48}));
    EXPECT_EQ(readPNG(png).width, 120) << "the PNG keeps the wide theme";

    // A square theme is drawn itself, at each size.
    prefs.writeTheme("Square", block("c", "#0000ff"));
    ASSERT_EQ(ampora("set theme Square"), 0);
    EXPECT_TRUE(watcher.waitUntil([&] {
        const auto now = watcher.pixmapProperty(item, "IconPixmap");
        return !now.empty() && centre(now[0]) == std::array<int, 4>{255, 0, 0, 255};
    }));
    // With no companion installed, a wide theme's strip is offered as before.
    fs::remove(prefs.root() + "/Ampora/Ampora Ring.js");
    ASSERT_EQ(ampora("set theme Wide"), 0);
    EXPECT_TRUE(watcher.waitUntil([&] {
        const auto now = watcher.pixmapProperty(item, "IconPixmap");
        return !now.empty() && now[0].width == 120;
    }));
}

TEST_F(TrayTest, AtTraySizesTheLevelIsReadable) {
    // The default theme is wide, so the tray shows the shipped ring. A clear
    // track and level 0 leave only the digit on it: its ink's height is the
    // digits' height.
    ASSERT_EQ(ampora("set enabled true"), 0);
    ASSERT_EQ(ampora("set baseLightColor '#FFFFFF00'"), 0);
    ASSERT_EQ(ampora("set baseDarkColor '#00000000'"), 0);
    prefs.writeFile(batteryFile, "0");
    TestWatcher watcher(bus.address());
    HostProcess host(STATUSBAR_BINARY, trayArguments());
    const std::string item = itemName(host);
    ASSERT_TRUE(shownIn(watcher));
    const auto pixmaps = watcher.pixmapProperty(item, "IconPixmap");
    ASSERT_FALSE(pixmaps.empty());

    for (const int slot : {16, 22, 24, 32}) {
        // As trays pick: the smallest pixmap that covers the slot, shrunk into it.
        const Pixmap* chosen = &pixmaps.back();
        for (const auto& p : pixmaps)
            if (p.width >= slot && p.height >= slot && p.width < chosen->width) chosen = &p;
        const double shrink = std::min(1.0, double(slot) / std::max(chosen->width, chosen->height));
        int top = chosen->height, bottom = -1;
        for (int y = 0; y < chosen->height; ++y)
            for (int x = 0; x < chosen->width; ++x)
                if (chosen->argb[(size_t(y) * chosen->width + x) * 4] > 100) top = std::min(top, y), bottom = std::max(bottom, y);
        ASSERT_GE(bottom, top) << slot << " px: no digit";
        const double digits = (bottom - top + 1) * shrink;
        EXPECT_EQ(chosen->width, slot) << "drawn at the slot's own size";
        EXPECT_GE(digits, slot / 3.0) << slot << " px: digits " << digits << " px tall";
        if (slot == 24) {
            EXPECT_GE(digits, 8);
        }
    }
}
