// The real preference pane in ampora-settings, driven as a person would: the
// main page's picture, the master switch and the theme choice through a
// script, and the bar's colors as pages come and go.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/graphics/Image.h"
#include "tests/support/CommandRun.h"
#include "tests/support/SettingsProcessTest.h"

namespace {

using foundation::PlistValue;

class SettingsPane : public SettingsProcessTest {
protected:
    void SetUp() override {
        SettingsProcessTest::SetUp();
        copyThemesFrom(AMPORA_SHIPPED_THEMES);
    }
    graphics::Image picture(const std::string& name) {
        return graphics::UIImage::imageWithData(prefs.readFile(file(name)), 1);
    }
    // Pixels of the navigation bar (below the status area) within 30 of the pane color.
    int paneColoredPixelsInBar(const graphics::Image& image) {
        int count = 0;
        cairo_surface_flush(image->surface());
        const unsigned char* data = cairo_image_surface_get_data(image->surface());
        const int stride = cairo_image_surface_get_stride(image->surface());
        for (int y = 40; y < 128; ++y)
            for (int x = 0; x < image->pixelWidth(); ++x) {
                const unsigned char* p = data + y * stride + x * 4;  // BGRA, opaque here
                if (std::abs(p[2] - 0x8F) < 30 && p[1] < 30 && p[0] > 225) ++count;
            }
        return count;
    }
};

TEST_F(SettingsPane, TheMainPageOnAFreshRoot) {
    CommandRun run = runCommand(SETTINGS_BINARY, "--page QVAXSettingsMainController --screenshot '" + file("main.png") +
                                                     "' --dump '" + file("tree.txt") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    auto shot = picture("main.png");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->pixelWidth(), 750);
    EXPECT_EQ(shot->pixelHeight(), 1334);
    EXPECT_GT(paneColoredPixelsInBar(shot), 200) << "the logo and the heart in the pane color";
    const std::string tree = prefs.readFile(file("tree.txt"));
    for (const char* text : {"\"Enabled\"", "\"Theme\"", "\"Ampora Connect\"", "\"Profiles\"", "\"Colors\""})
        EXPECT_NE(tree.find(text), std::string::npos) << text << "\n" << tree;
}

TEST_F(SettingsPane, TheSwitchStoresAndAnnouncesOnce) {
    // A second process listens while the pane runs its script.
    prefs.writeFile(file("run.sh"), "'" NOTIFY_PROBE "' observe com.kelvary.ampora.settingsChanged 2500 > '" +
                                        file("heard.txt") + "' &\nsleep 0.5\n'" SETTINGS_BINARY "' " +
                                        script("tap-text Ampora\ntap-text ENABLED\n") +
                                        "\nstatus=$?\nwait\nexit $status\n");
    CommandRun run = runCommand("/bin/sh", "'" + file("run.sh") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (foundation::PlistDictionary{{"enabled", PlistValue(true)}}));
    EXPECT_EQ(prefs.readFile(file("heard.txt")), "ready\n1\n");
}

TEST_F(SettingsPane, TheChosenThemeShowsOnTheMainPage) {
    CommandRun run = runCommand(SETTINGS_BINARY, script("tap-text Ampora\ntap-text THEME\ntap-text \"Ok Sweet!\"\n"
                                                        "tap-text \"Ampora LBI\"\nback\nexpect-text \"Ampora LBI\"\n"));
    ASSERT_EQ(run.status, 0) << run.output;
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings && settings->count("theme"));
    EXPECT_EQ(settings->at("theme"), PlistValue("Ampora LBI"));
}

TEST_F(SettingsPane, TheBarTakesThePaneColorOnThePaneAndTheSystemLookOnSettings) {
    CommandRun run = runCommand(SETTINGS_BINARY, script("shot " + file("root.png") + "\ntap-text Ampora\nshot " + file("pane.png") +
                                                        "\nback\nshot " + file("back.png") + "\ntap-text Ampora\nshot " +
                                                        file("again.png") + "\n"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(paneColoredPixelsInBar(picture("root.png")), 0);
    EXPECT_GT(paneColoredPixelsInBar(picture("pane.png")), 200);
    EXPECT_EQ(paneColoredPixelsInBar(picture("back.png")), 0);
    EXPECT_GT(paneColoredPixelsInBar(picture("again.png")), 200);
}

}  // namespace

namespace {

TEST_F(SettingsPane, TheThemeListShowsAPreviewRowPerTheme) {
    CommandRun run = runCommand(SETTINGS_BINARY, script("tap-text Ampora\ntap-text THEME\ntap-text \"Ok Sweet!\"\ndump " +
                                                        file("list.txt") + "\n"));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string tree = prefs.readFile(file("list.txt"));
    size_t previews = 0;
    for (size_t at = tree.find("QVAXBatteryPreView {18, "); at != std::string::npos;
         at = tree.find("QVAXBatteryPreView {18, ", at + 1)) {
        EXPECT_EQ(tree.compare(tree.find(',', tree.find(',', at) + 1) + 2, 7, "110, 40"), 0) << tree.substr(at, 60);
        ++previews;
    }
    // Every row wholly in the 667-point window is a theme with its preview; ten
    // themes ship, more than fit.
    size_t rows = 0;
    for (size_t at = tree.find("PSTableCell {0, "); at != std::string::npos; at = tree.find("PSTableCell {0, ", at + 1))
        rows += std::stod(tree.substr(at + 16)) + 80 <= 667;
    EXPECT_EQ(previews, rows) << tree;
    EXPECT_GE(rows, 7u) << tree;
    EXPECT_NE(tree.find("PSTableCell {0, 99, 375, 80}"), std::string::npos) << tree;
}

}  // namespace
