#include <gtest/gtest.h>

#include "hosts/settings/SettingsScript.h"

using settingshost::parseScript;
using settingshost::ScriptError;
using Kind = settingshost::ScriptStep::Kind;

TEST(SettingsScript, ReadsEveryStepWithItsLine) {
    const auto steps = parseScript(
        "# open the theme list\n"
        "tap-text THEME\n"
        "\n"
        "tap-text \"Ampora LBI\"\n"
        "  tap 10.5 20\n"
        "drag 1 2 3 4 7\n"
        "drag 1 2 3 4\n"
        "type  \"#00ff0080\"\n"
        "key Return\n"
        "back\n"
        "wait 250\n"
        "shot out/main.png\n"
        "expect-text Ampora Connect\n");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0].kind, Kind::TapText);
    EXPECT_EQ(steps[0].text, "THEME");
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].text, "Ampora LBI");
    EXPECT_EQ(steps[1].line, 4);
    EXPECT_EQ(steps[2].kind, Kind::Tap);
    EXPECT_DOUBLE_EQ(steps[2].x1, 10.5);
    EXPECT_EQ(steps[3].steps, 7);
    EXPECT_EQ(steps[4].steps, 10);
    EXPECT_EQ(steps[5].text, "#00ff0080");  // a text, not a comment
    EXPECT_EQ(steps[6].text, "Return");
    EXPECT_EQ(steps[8].milliseconds, 250);
    EXPECT_EQ(steps[10].text, "Ampora Connect");
}

TEST(SettingsScript, BadLinesNameTheirLineAndWhy) {
    auto failure = [](const std::string& script) {
        try {
            parseScript(script);
        } catch (const ScriptError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(failure("back\nfly 1 2\n"), "line 2: unknown step \"fly\"");
    EXPECT_EQ(failure("tap 1\n"), "line 1: usage: tap X Y");
    EXPECT_EQ(failure("tap 1 0x20\n"), "line 1: Y must be a number, not \"0x20\"");
    EXPECT_EQ(failure("tap nan 1\n"), "line 1: X must be a number, not \"nan\"");
    EXPECT_EQ(failure("key Insert\n").substr(0, 31), "line 1: key must be Return, Esc");
    EXPECT_NE(failure("key Insert\n").find(", not \"Insert\""), std::string::npos);
    EXPECT_NE(failure("key a\n"), "no error") << "a letter alone is typed text";
    EXPECT_NE(failure("key hyper+a\n"), "no error");
    EXPECT_EQ(failure("key ctrl+a b\n"), "line 1: usage: key KEY, such as key Tab, key shift+Tab or key ctrl+a");
    EXPECT_EQ(failure("wait -5\n"), "line 1: MS must be from 0 to 3600000");
    EXPECT_EQ(failure("drag 0 0 1 1 0\n"), "line 1: STEPS must be a whole number from 1 to 1000");
    EXPECT_EQ(failure("tap-text \"\"\n"), "line 1: tap-text needs a text");
    EXPECT_EQ(failure("back now\n"), "line 1: usage: back");
}

TEST(SettingsScript, KeysTakeModifiersInAnyCase) {
    const auto steps = parseScript("key shift+Tab\nkey CTRL+A\nkey alt+Left\nkey pagedown\nkey Ctrl+Shift+End\n");
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].key.key, uikit::UIKey::Tab);
    EXPECT_EQ(steps[0].key.modifiers, uikit::UIKeyModifierShift);
    EXPECT_EQ(steps[1].key.key, std::nullopt);
    EXPECT_EQ(steps[1].key.letter, 'a');
    EXPECT_EQ(steps[1].key.modifiers, uikit::UIKeyModifierControl);
    EXPECT_EQ(steps[2].key.modifiers, uikit::UIKeyModifierAlternate);
    EXPECT_EQ(steps[3].key.key, uikit::UIKey::PageDown);
    EXPECT_EQ(steps[4].key.key, uikit::UIKey::End);
    EXPECT_EQ(steps[4].key.modifiers, uikit::UIKeyModifierControl | uikit::UIKeyModifierShift);
}

TEST(SettingsScript, RunStopsAtTheFirstFailingStep) {
    struct Driver : settingshost::ScriptDriver {
        std::vector<int> ran;
        std::optional<std::string> perform(const settingshost::ScriptStep& step) override {
            ran.push_back(step.line);
            if (step.kind == Kind::ExpectText) return "no visible view shows \"" + step.text + "\"";
            return std::nullopt;
        }
    } driver;
    const auto steps = parseScript("back\nexpect-text Nope\nback\n");
    try {
        settingshost::runScript(steps, driver);
        FAIL() << "expected a failure";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line, 2);
        EXPECT_STREQ(e.what(), "line 2: no visible view shows \"Nope\"");
    }
    EXPECT_EQ(driver.ran, (std::vector<int>{1, 2}));
}

TEST(SettingsScript, RunStopsQuietlyOnceAStepClosedTheWindow) {
    struct Driver : settingshost::ScriptDriver {
        std::vector<int> ran;
        std::optional<std::string> perform(const settingshost::ScriptStep& step) override {
            ran.push_back(step.line);
            return step.kind == Kind::ExpectText ? std::optional<std::string>("fails") : std::nullopt;
        }
        bool windowClosed() const override { return ran.size() >= 2; }
    } driver;
    settingshost::runScript(parseScript("back\nkey ctrl+q\nexpect-text Nope\n"), driver);
    EXPECT_EQ(driver.ran, (std::vector<int>{1, 2}));
}
