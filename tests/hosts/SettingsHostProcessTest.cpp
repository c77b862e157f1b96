#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "tests/hosts/TestBundle.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"

namespace {

// ampora-settings over a bundle folder holding the test pane, with no display.
class SettingsHostProcess : public ::testing::Test {
protected:
    TempPreferences prefs;
    std::string bundle = writeTestBundle(prefs.root() + "/Test.bundle", TEST_PANE_LIBRARY);

    void SetUp() override {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
    }
    CommandRun host(const std::string& arguments) {
        return runCommand(SETTINGS_BINARY, "--settings-root --bundle '" + bundle + "' " + arguments);
    }
    std::string file(const std::string& name) { return prefs.root() + "/" + name; }
    // Width and height from a PNG's header; {0, 0} when it is none.
    std::pair<int, int> pngSize(const std::string& path) {
        const std::string bytes = prefs.readFile(path);
        if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
        auto word = [&](size_t at) {
            return int((unsigned char)bytes[at]) << 24 | int((unsigned char)bytes[at + 1]) << 16 |
                   int((unsigned char)bytes[at + 2]) << 8 | int((unsigned char)bytes[at + 3]);
        };
        return {word(16), word(20)};
    }
    std::string writeScript(const std::string& text) {
        prefs.writeFile(file("steps.txt"), text);
        return file("steps.txt");
    }
};

TEST_F(SettingsHostProcess, ScreenshotsHaveTheSizeInPointsTimesTheScale) {
    CommandRun run = host("--screenshot '" + file("main.png") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(pngSize(file("main.png")), std::make_pair(750, 1334));

    run = host("--page HostTestPage --size 320x480 --scale 1 --screenshot '" + file("small.png") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(pngSize(file("small.png")), std::make_pair(320, 480));
}

TEST_F(SettingsHostProcess, TheSettingsRowOpensTheBundlesFirstPageAndScriptsDriveIt) {
    const std::string script = writeScript(
        "# the root page, then the pane\n"
        "expect-text Settings\n"
        "tap-text Ampora\n"
        "tap-text HELLO\n"
        "tap-text Next\n"
        "expect-text DETAIL\n"
        "back\n"
        "back\n");
    CommandRun run = host("--script '" + script + "' --dump '" + file("tree.txt") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string tree = prefs.readFile(file("tree.txt"));
    EXPECT_NE(tree.find("UILabel"), std::string::npos) << tree;
    EXPECT_NE(tree.find("\"Ampora\""), std::string::npos) << tree;
    EXPECT_EQ(tree.find("\"Hello there\""), std::string::npos) << "back at the Settings page\n" << tree;
}

TEST_F(SettingsHostProcess, AFailingStepNamesItsLineAndExitsOne) {
    CommandRun run = host("--page HostTestPage --script '" + writeScript("expect-text Switch\n\nexpect-text Nope\n") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("line 3: no visible view shows \"Nope\""), std::string::npos) << run.output;

    run = host("--script '" + writeScript("back\n") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("line 1: there is no page to go back to"), std::string::npos) << run.output;

    run = host("--script '" + writeScript("tap-text Ampora\nfly away\n") + "'");
    EXPECT_EQ(run.status, 1) << "a script that cannot be read runs no step";
    EXPECT_NE(run.output.find("line 2: unknown step \"fly\""), std::string::npos) << run.output;
}

TEST_F(SettingsHostProcess, OnlyAScriptFileIsRunNeverADeviceAFifoOrAFolder) {
    const std::string fifo = file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(file("folder"));
    prefs.writeFile(file("huge"), std::string((1 << 20) + 1, '#'));
    for (const std::string& path : {std::string("/dev/zero"), fifo, file("folder"), file("huge")}) {
        SCOPED_TRACE(path);
        // A writerless FIFO or an endless device must neither block nor be read whole.
        const CommandRun run = host("--script '" + path + "'");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("the script " + path + " cannot be read: "), std::string::npos) << run.output;
    }
}

TEST_F(SettingsHostProcess, PagesAndBundlesThatCannotBeShownAreNamed) {
    CommandRun run = host("--page HostTestNotAPage --screenshot '" + file("x.png") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("\"HostTestNotAPage\" is not a page"), std::string::npos) << run.output;

    run = host("--page Missing --screenshot '" + file("x.png") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no page class named \"Missing\""), std::string::npos) << run.output;

    run = runCommand(SETTINGS_BINARY, "--bundle '" + file("nothing") + "' --screenshot '" + file("x.png") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no preference bundle at"), std::string::npos) << run.output;
}

TEST_F(SettingsHostProcess, WithoutADisplayTheWindowIsRefusedNotOpenedUnseen) {
    ::unsetenv("SDL_VIDEODRIVER");
    CommandRun run = runCommand("timeout", "20 '" SETTINGS_BINARY "' --bundle '" + bundle + "'");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("no display to open a window on"), std::string::npos) << run.output;

    // A display named but not answering: the message names it rather than saying none is set.
    run = runCommand("env", "-u WAYLAND_DISPLAY DISPLAY=:97 timeout 20 '" SETTINGS_BINARY "' --bundle '" + bundle + "'");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("cannot reach the display at DISPLAY=:97"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("are not set"), std::string::npos) << run.output;
}

TEST_F(SettingsHostProcess, BadOptionsShowTheUsageAndExitTwo) {
    for (const char* arguments : {"--bogus", "--size 375", "--size 0x10", "--scale fast", "--page", "stray",
                                  "--scale 2 --scale 3"}) {
        CommandRun run = runCommand(SETTINGS_BINARY, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.output.find("usage: ampora-settings"), std::string::npos) << arguments << "\n" << run.output;
    }
    CommandRun run = runCommand(SETTINGS_BINARY, "--size 375");
    EXPECT_EQ(run.output.substr(0, run.output.find('\n')),
              "ampora-settings: --size must be WxH in points, such as 375x667, not \"375\"");
    run = runCommand(SETTINGS_BINARY, "--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("--screenshot FILE"), std::string::npos);
}

}  // namespace
