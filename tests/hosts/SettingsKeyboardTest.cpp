// The real pane in ampora-settings driven from the keyboard alone, as a
// person at a desktop would: the focus and how it looks, what Return, Space
// and the arrows do, Escape and the shortcuts, and editing a text field.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/graphics/Image.h"
#include "tests/support/CommandRun.h"
#include "tests/uikit/FakeDesktop.h"
#include "tests/support/SettingsProcessTest.h"

namespace {

using foundation::PlistValue;

class KeyboardPane : public SettingsProcessTest {
protected:
    // Runs `steps` from the main page, where the window opens.
    CommandRun steps(const std::string& text) {
        prefs.writeFile(file("steps.txt"), text);
        return runCommand(SETTINGS_BINARY, "--script '" + file("steps.txt") + "'");
    }
    std::optional<PlistValue> setting(const std::string& key) {
        auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
        if (!settings || !settings->count(key)) return std::nullopt;
        return settings->at(key);
    }
    // Red of the pixel at window point x, y of a shot taken at scale 2.
    int redAt(const std::string& shot, double x, double y) {
        auto image = graphics::UIImage::imageWithData(prefs.readFile(file(shot)), 1);
        if (!image) return -1;
        cairo_surface_flush(image->surface());
        const unsigned char* data = cairo_image_surface_get_data(image->surface());
        return data[int(y * 2) * cairo_image_surface_get_stride(image->surface()) + int(x * 2) * 4 + 2];
    }
    // The main page's rows, at a point left of their labels.
    static constexpr double kEnabledRow = 357, kThemeRow = 473, kRowX = 8;
    static constexpr int kWhite = 255, kSelected = 217;

    // Saves a complete profile named by what `editing` leaves in the name
    // field, and gives the names of the profiles saved beside "Default".
    std::set<std::string> profileNamedBy(const std::string& editing) {
        const CommandRun run = steps(kUpToTheNameField + editing + "key Return\n");
        EXPECT_EQ(run.status, 0) << run.output;
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(foundation::profilesFolderPath()))
            if (entry.path().stem() != "Default") names.insert(entry.path().stem().string());
        return names;
    }
    static constexpr const char* kUpToTheNameField =
        "tap-text Profiles\nkey Escape\ntap-text Save\n"
        "# Return takes the first kind, a complete profile; the name alert follows.\n"
        "key Return\n";
};

TEST_F(KeyboardPane, TabAndShiftTabMoveTheFocusWhichLooksLikeTheRowSelection) {
    CommandRun run = steps("shot " + file("none.png") + "\nkey Tab\nshot " + file("one.png") + "\nkey Tab\nshot " +
                           file("two.png") + "\nkey shift+Tab\nshot " + file("back.png") + "\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(redAt("none.png", kRowX, kEnabledRow), kWhite);
    EXPECT_EQ(redAt("none.png", kRowX, kThemeRow), kWhite);
    EXPECT_NEAR(redAt("one.png", kRowX, kEnabledRow), kSelected, 2) << "the switch's row shows the focus";
    EXPECT_EQ(redAt("one.png", kRowX, kThemeRow), kWhite);
    EXPECT_EQ(redAt("two.png", kRowX, kEnabledRow), kWhite);
    EXPECT_NEAR(redAt("two.png", kRowX, kThemeRow), kSelected, 2);
    EXPECT_NEAR(redAt("back.png", kRowX, kEnabledRow), kSelected, 2);
    EXPECT_EQ(redAt("back.png", kRowX, kThemeRow), kWhite);
    EXPECT_FALSE(setting("enabled")) << "moving the focus changes nothing";
}

TEST_F(KeyboardPane, TheArrowsWalkTheRowsAndReturnOpensTheFocusedLinkRow) {
    // Enabled, Theme, Profiles, back up to Theme.
    CommandRun run = steps("key Down\nkey Down\nkey Down\nkey Up\nkey Return\nexpect-text THEME_POPUP\n");
    EXPECT_EQ(run.status, 0) << run.output;
    run = steps("key Down\nkey Down\nkey Down\nkey Space\nexpect-text PROFILE_POPUP\n");
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(KeyboardPane, SpaceAndReturnTurnTheFocusedSwitchAndItIsStored) {
    CommandRun run = steps("key Tab\nkey Space\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(setting("enabled"), PlistValue(true));
    run = steps("key Tab\nkey Return\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(setting("enabled"), PlistValue(false));
}

TEST_F(KeyboardPane, ReturnPressesTheFocusedButton) {
    // From nowhere Shift+Tab reaches the last control, the bar's Save.
    CommandRun run = steps("tap-text Profiles\nkey Escape\nkey shift+Tab\nkey Return\nexpect-text PROFILE_ASK_POPUP\n");
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(KeyboardPane, LeftAndRightMoveTheFocusedSliderAndItIsStored) {
    // Four switches, then the low level's slider; each step is a twentieth of 5 to 95 in whole
    // percents: 4.5 becomes 5.
    CommandRun run = steps("key End\ntap-text More Options\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\n"
                           "key Right\nkey Right\nkey Left\nkey Right\nexpect-text 30\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(setting("lowLevel"), PlistValue(30.0));
}

TEST_F(KeyboardPane, EscapeClosesTheOkSweetNoticeAndACancellableAlertAndOtherwiseGoesBack) {
    CommandRun run = steps("tap-text Theme\nexpect-text \"Ok Sweet!\"\nkey Escape\ndump " + file("theme.txt") +
                           "\nkey Escape\nexpect-text Enabled\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string theme = prefs.readFile(file("theme.txt"));
    EXPECT_EQ(theme.find("UIAlertView"), std::string::npos) << theme;
    EXPECT_NE(theme.find("\"Theme\""), std::string::npos) << "still on the theme page\n" << theme;

    run = steps("tap-text Profiles\nkey Escape\ntap-text Save\nexpect-text PROFILE_ASK_POPUP\nkey Escape\ndump " +
                file("profiles.txt") + "\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string profiles = prefs.readFile(file("profiles.txt"));
    EXPECT_EQ(profiles.find("UIAlertView"), std::string::npos) << profiles;
    EXPECT_NE(profiles.find("\"Save\""), std::string::npos) << "still on the profile page\n" << profiles;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(foundation::profilesFolderPath()), {}), 1)
        << "cancelled: nothing saved beside Default";
}

TEST_F(KeyboardPane, EscapeAndAltLeftOnTheShareSheetCloseItButLeaveThePageBelow) {
    // The sheet shows only where something opens its web address; this machine may have no browser.
    FakeDesktop desktop(prefs.root(), "x-scheme-handler/https");
    // The heart at the bar's right end opens the share sheet over More Options.
    CommandRun run = steps("key End\ntap-text More Options\ntap 364 42\nexpect-text Post\nkey alt+Left\n"
                           "expect-text Post\nkey Escape\ndump " + file("options.txt") + "\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string options = prefs.readFile(file("options.txt"));
    EXPECT_EQ(options.find("\"Post\""), std::string::npos) << options;
    EXPECT_NE(options.find("\"More Options\""), std::string::npos) << options;
}

TEST_F(KeyboardPane, CtrlQAndCtrlWCloseTheWindowAndNothingAfterRuns) {
    for (const char* key : {"ctrl+q", "ctrl+w"}) {
        std::filesystem::remove(file("after.png"));
        CommandRun run = steps("key Tab\nkey " + std::string(key) + "\nkey Space\nshot " + file("after.png") + "\n");
        EXPECT_EQ(run.status, 0) << key << "\n" << run.output;
        EXPECT_FALSE(std::filesystem::exists(file("after.png"))) << key;
        EXPECT_FALSE(setting("enabled")) << key;
    }
}

TEST_F(KeyboardPane, AltLeftGoesBackButNotFromUnderAnAlert) {
    CommandRun run = steps("tap-text Profiles\nkey alt+Left\nexpect-text PROFILE_POPUP\nkey Escape\nkey alt+Left\n"
                           "expect-text Enabled\n");
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(KeyboardPane, TheCaretMovesWithLeftRightHomeAndEnd) {
    EXPECT_EQ(profileNamedBy("type ac\nkey Left\ntype b\nkey Home\ntype x\nkey End\ntype !\nkey Home\nkey Right\n"
                             "type -\n"),
              std::set<std::string>{"x-abc!"});
}

TEST_F(KeyboardPane, ShiftSelectsAndDeleteOrBackspaceRemoveTheSelection) {
    EXPECT_EQ(profileNamedBy("type Run Morning Runs\nkey Home\n"
                             "key shift+Right\nkey shift+Right\nkey shift+Right\nkey shift+Right\nkey Delete\n"
                             "key End\nkey shift+Left\nkey shift+Left\nkey shift+Left\nkey shift+Left\n"
                             "key shift+Left\nkey Backspace\n"),
              std::set<std::string>{"Morning"});
}

TEST_F(KeyboardPane, CtrlASelectsEverything) {
    EXPECT_EQ(profileNamedBy("type Old\nkey ctrl+a\ntype New\n"), std::set<std::string>{"New"});
}

TEST_F(KeyboardPane, CtrlXCAndVCutCopyAndPaste) {
    EXPECT_EQ(profileNamedBy("type Day\nkey ctrl+a\nkey ctrl+x\ntype Night\nkey ctrl+v\n"
                             "key ctrl+a\nkey ctrl+c\nkey End\nkey ctrl+v\n"),
              std::set<std::string>{"NightDayNightDay"});
}

TEST_F(KeyboardPane, TheMousePlacesTheCaretAndDragsASelection) {
    CommandRun run = steps(std::string(kUpToTheNameField) + "dump " + file("field.txt") + "\n");
    ASSERT_EQ(run.status, 0) << run.output;
    std::smatch m;
    const std::string tree = prefs.readFile(file("field.txt"));
    ASSERT_TRUE(std::regex_search(tree, m, std::regex(R"(UITextField \{([\d.]+), ([\d.]+), ([\d.]+), ([\d.]+)\})")))
        << tree;
    const double x = std::stod(m[1]), y = std::stod(m[2]) + std::stod(m[4]) / 2, right = x + std::stod(m[3]) - 2;
    const std::string left = std::to_string(x + 2) + " " + std::to_string(y);
    const std::string end = std::to_string(right) + " " + std::to_string(y);
    EXPECT_EQ(profileNamedBy("type Morning\ntap " + left + "\ntype \"Good \"\n"), std::set<std::string>{"Good Morning"});
    std::filesystem::remove(foundation::profilesFolderPath() + "Good Morning.axProfile");
    EXPECT_EQ(profileNamedBy("type Morning\ndrag " + left + " " + end + "\ntype Evening\n"),
              std::set<std::string>{"Evening"});
}

}  // namespace
