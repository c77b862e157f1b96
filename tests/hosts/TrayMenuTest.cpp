// The tray item's menu read and clicked as a tray host does, over a private session bus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/foundation/Paths.h"
#include "settings/model/PreferenceStore.h"
#include "tests/hosts/TrayFixture.h"
#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class TrayMenuTest : public TrayFixture {
protected:
    // Starts the host and waits until the tray has its item; false when it never came.
    bool start() {
        host = std::make_unique<HostProcess>(STATUSBAR_BINARY, trayArguments());
        item = itemName(*host);
        if (!shownIn(watcher)) return false;
        menu = watcher.menuPath(item);
        return !menu.empty();
    }
    MenuItem layout() {
        const auto read = watcher.menuLayout(item, menu);
        return read ? read->root : MenuItem{};
    }
    int idOf(const std::string& label) {
        const MenuItem root = layout();
        const MenuItem* found = root.find(label);
        return found ? found->id : -1;
    }
    static std::string storedTheme() {
        const auto value = getPreferenceValueForKey(foundation::settingsFilePath(), "theme");
        return value && value->asString() ? *value->asString() : "";
    }
    TestWatcher watcher{bus.address()};
    std::unique_ptr<HostProcess> host;
    std::string item, menu;
};

}  // namespace

TEST_F(TrayMenuTest, ATrayReadsSettingsTheBatteryTheThemesAndQuit) {
    prefs.writeTheme("My_Theme", themeScript("(c,g,l,m,e)"));
    prefs.writeFile(prefs.root() + "/Ampora/...js", themeScript("(c,g,l,m,e)"));  // a name no setting may hold
    ASSERT_TRUE(start());
    EXPECT_EQ(menu, "/MenuBar");
    EXPECT_EQ(watcher.menuVersion(item, menu), 3u);

    const MenuItem root = layout();
    std::vector<std::string> labels;
    for (const auto& child : root.children) labels.push_back(child.label());
    EXPECT_EQ(labels, (std::vector<std::string>{"Settings\u2026", "57 %, on battery", "Theme", "", "Quit"}));
    ASSERT_EQ(root.children.size(), 5u);
    EXPECT_TRUE(root.children[0].enabled());
    EXPECT_FALSE(root.children[1].enabled()) << "the battery line is no command";
    EXPECT_EQ(root.children[3].type(), "separator");

    // The installed themes in name order, the pages' default one on.
    const MenuItem& themes = root.children[2];
    EXPECT_EQ(themes.text("children-display"), "submenu");
    std::vector<std::string> names, on;
    for (const auto& theme : themes.children) {
        names.push_back(theme.label());
        EXPECT_EQ(theme.text("toggle-type"), "radio") << theme.label();
        if (theme.toggleState() == 1) on.push_back(theme.label());
        else EXPECT_EQ(theme.toggleState(), 0) << theme.label();
    }
    std::vector<std::string> installed{"My__Theme"};  // its underscore shown, not taken as the access key
    for (const auto& theme : fs::directory_iterator(AMPORA_SHIPPED_THEMES)) installed.push_back(theme.path().stem().string());
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(names, installed);
    EXPECT_EQ(on, std::vector<std::string>{"Ampora Connect"});

    // Trays that ask for less get less.
    const auto shallow = watcher.menuLayout(item, menu, 0, 0);
    ASSERT_TRUE(shallow);
    EXPECT_TRUE(shallow->root.children.empty());
    const auto labelsOnly = watcher.menuLayout(item, menu, themes.id, -1, {"label"});
    ASSERT_TRUE(labelsOnly);
    ASSERT_EQ(labelsOnly->root.children.size(), themes.children.size());
    EXPECT_EQ(labelsOnly->root.children[0].properties.size(), 1u);
    EXPECT_FALSE(watcher.menuLayout(item, menu, 999)) << "an item the menu does not have";
    EXPECT_FALSE(watcher.menuEvent(item, menu, 999));

    // The battery line follows the battery, and the tray is told.
    const int before = watcher.propertiesUpdates();
    prefs.writeFile(batteryFile, "12 charging");
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.propertiesUpdates() > before; }));
    EXPECT_EQ(layout().children[1].label(), "12 %, charging");
    EXPECT_EQ(watcher.toolTipTitle(item), "12 %, charging") << "the same words as the tooltip";
    EXPECT_TRUE(host->alive());
}

TEST_F(TrayMenuTest, ChoosingAThemeStoresItAsThePaneDoesAndTheIconFollows) {
    ASSERT_EQ(ampora("set enabled true"), 0);
    prefs.writeTheme("Gone", themeScript("(c,g,l,m,e)"));
    ASSERT_TRUE(start());
    const auto connect = watcher.pixmapProperty(item, "IconPixmap");
    ASSERT_FALSE(connect.empty());
    ASSERT_NE(connect[0].width, 54) << "the theme's icon, not the stock battery";

    // A square theme: the tray shows it itself, where the default's square stand-in was.
    const int pie = idOf("Ampora Pie"), updates = watcher.layoutUpdates();
    ASSERT_GT(pie, 0);
    EXPECT_TRUE(watcher.menuEvent(item, menu, pie));
    EXPECT_TRUE(watcher.waitUntil([&] { return storedTheme() == "Ampora Pie"; }));
    const auto enabled = getPreferenceValueForKey(foundation::settingsFilePath(), "enabled");
    EXPECT_TRUE(enabled && enabled->asBoolean() && *enabled->asBoolean()) << "the rest of the settings kept";
    EXPECT_TRUE(watcher.waitUntil([&] {
        const auto now = watcher.pixmapProperty(item, "IconPixmap");
        return !now.empty() && now[0].argb != connect[0].argb;
    })) << "the notification reached the host, which redrew with the new theme";
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.layoutUpdates() > updates; }));
    const MenuItem root = layout();
    ASSERT_TRUE(root.find("Ampora Pie") && root.find("Ampora Connect"));
    EXPECT_EQ(root.find("Ampora Pie")->toggleState(), 1);
    EXPECT_EQ(root.find("Ampora Connect")->toggleState(), 0);

    // A theme removed after the tray read the menu is not stored.
    const int gone = idOf("Gone");
    ASSERT_GT(gone, 0);
    fs::remove(prefs.root() + "/Ampora/Gone.js");
    EXPECT_TRUE(watcher.menuEvent(item, menu, gone));
    watcher.waitUntil([] { return false; }, 300ms);
    EXPECT_EQ(storedTheme(), "Ampora Pie");
    EXPECT_EQ(idOf("Gone"), -1);
    EXPECT_EQ(idOf("Ampora Pie"), pie) << "a theme keeps its id";
    EXPECT_TRUE(host->alive());
}

TEST_F(TrayMenuTest, QuitEndsTheHostWithStatusZero) {
    ASSERT_TRUE(start());
    const int quit = idOf("Quit");
    ASSERT_GT(quit, 0);
    EXPECT_TRUE(watcher.menuEvent(item, menu, quit));
    ASSERT_TRUE(watcher.waitUntil([&] { return !host->alive(); })) << "still running after Quit";
    EXPECT_EQ(host->wait(), 0);
    // Its name is free at once: a new one starts instead of deferring to it.
    HostProcess next(STATUSBAR_BINARY, {"--tray", "--simulate", "40"});
    EXPECT_TRUE(watcher.waitUntil([&] { return watcher.registrations().size() == 2; }));
    EXPECT_TRUE(next.alive());
}
