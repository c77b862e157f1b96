// The color pages in the real ampora-settings process, driven by scripts as a
// person would drive them: the rows on a fresh root, the picker a row opens,
// what leaving or cancelling it stores, and hex entry with copy and paste.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/CommandRun.h"
#include "tests/support/SettingsProcessTest.h"

namespace {

using foundation::PlistValue;

// On the picker page's map of a 375 × 667 window: below the bar and a 154-point header.
constexpr const char* kDragOnTheMap = "drag 60 300 250 420\n";

class ColorPagesScript : public SettingsProcessTest {
protected:
    void SetUp() override {
        SettingsProcessTest::SetUp();
        copyThemesFrom(AMPORA_SHIPPED_THEMES);
    }
    // Runs the steps on the color options page; a failing step fails the test.
    CommandRun run(const std::string& steps, const std::string& options = "--page QVAXSettingsColorOptionsController") {
        CommandRun result = runCommand(SETTINGS_BINARY, options + " " + script(steps));
        EXPECT_EQ(result.status, 0) << result.output;
        return result;
    }
    // As run, with a second process counting the settings-changed posts; returns
    // what it heard. It listens long enough for a slow (sanitized) pane to finish.
    std::string runCountingPosts(const std::string& steps) {
        prefs.writeFile(file("steps.txt"), steps);
        prefs.writeFile(file("run.sh"), "'" NOTIFY_PROBE "' observe com.kelvary.ampora.settingsChanged 8000 > '" +
                                            file("heard.txt") + "' &\nsleep 0.5\n'" SETTINGS_BINARY
                                            "' --page QVAXSettingsColorOptionsController --script '" +
                                            file("steps.txt") + "'\nstatus=$?\nwait\nexit $status\n");
        CommandRun result = runCommand("/bin/sh", "'" + file("run.sh") + "'");
        EXPECT_EQ(result.status, 0) << result.output;
        return prefs.readFile(file("heard.txt"));
    }
    std::optional<foundation::PlistDictionary> settings() {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath());
    }
    std::string stored(const std::string& key) {
        auto s = settings();
        if (!s || !s->count(key) || !s->at(key).asString()) return "(none)";
        return *s->at(key).asString();
    }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

}  // namespace

TEST_F(ColorPagesScript, AFreshRootShowsEveryRowWithItsDefaultColor) {
    prefs.writeSettings({});
    run("tap-text Ampora\ntap-text COLOR_OPTIONS\ndump " + file("rows.txt") + "\n", "--size 375x1700");
    const std::string tree = prefs.readFile(file("rows.txt"));
    EXPECT_EQ(count(tree, "QVColorCell {"), 8u) << tree;
    EXPECT_EQ(count(tree, "SKTintedSwitchCell {"), 7u) << tree;
    EXPECT_EQ(count(tree, "MSBetterPSSliderTableCell {"), 2u) << tree;
    for (const char* hex : {"\"#000000\"", "\"#00000055\"", "\"#FFFFFF\"", "\"#FFFFFF55\"", "\"#00FF00\"",
                            "\"#00CCFF\"", "\"#FF0000\"", "\"#FFCC00\""})
        EXPECT_NE(tree.find(hex), std::string::npos) << hex << "\n" << tree;
    EXPECT_EQ(settings(), foundation::PlistDictionary{});
}

TEST_F(ColorPagesScript, ARowOpensThePickerAndLeavingStoresTheDraggedColorOnce) {
    // A color with some brightness: on a black map every tile is black.
    prefs.writeSettings({{"darkColor", PlistValue("#336699")}});
    const std::string heard = runCountingPosts("tap-text LIGHT_MAIN_COL\nexpect-text Cancel\nexpect-text \"#\"\ndump " +
                                               file("picker.txt") + "\n" + kDragOnTheMap + "back\n");
    const std::string tree = prefs.readFile(file("picker.txt"));
    for (const char* part : {"HRColorPickerView {", "HRColorMapView {", "QVAXBatteryPreView {", "UISlider {"})
        EXPECT_NE(tree.find(part), std::string::npos) << part << "\n" << tree;
    const std::string dark = stored("darkColor");
    EXPECT_EQ(dark.size(), 7u) << dark;
    EXPECT_NE(dark, "#336699") << "the drag moved the color";
    EXPECT_EQ(settings()->size(), 1u);
    EXPECT_EQ(heard, "ready\n1\n");
}

TEST_F(ColorPagesScript, CancelStoresNothing) {
    run("tap-text LIGHT_MAIN_COL\n" + std::string(kDragOnTheMap) + "tap-text Cancel\nexpect-text \"#000000\"\n");
    EXPECT_FALSE(settings());
}

TEST_F(ColorPagesScript, BaseRowsStoreEightDigitsAndHexTravelsWithItsAlpha) {
    // Set a translucent green on the light base row by typing it, copy it, then
    // paste it on the dark base row (the second "Base Color"): both keep the alpha digits.
    std::string steps = "tap-text LIGHT_BASE_COL\ntap-text \"#\"\n";
    for (int i = 0; i < 9; ++i) steps += "key Backspace\n";
    steps += "type \"#00ff0080\"\ntap-text Set\ntap-text \"#\"\ntap-text Copy\nback\n";
    steps += "tap 100 332\ntap-text \"#\"\ntap-text Paste\nback\n";
    run(steps);
    EXPECT_EQ(stored("baseDarkColor"), "#00ff0080");
    EXPECT_EQ(stored("baseLightColor"), "#00ff0080");
}
