// The credits page in ampora-settings with a fake desktop first on PATH: what
// the page shows, and what its rows hand to xdg-open as the desktop's handlers vary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/graphics/Image.h"
#include "tests/support/CommandRun.h"
#include "tests/support/SettingsProcessTest.h"
#include "tests/uikit/FakeDesktop.h"

namespace {

class CreditsPane : public SettingsProcessTest {
protected:
    // From the credits page, or from the Settings page on a screen tall enough for the whole main page.
    CommandRun runSteps(const std::string& steps, const std::string& page = "QVAXCreditsController") {
        return runCommand(SETTINGS_BINARY, (page.empty() ? "--size 375x1000 " : "--page " + page + " ") + script(steps));
    }
};

}  // namespace

TEST_F(CreditsPane, ShowsTheDeveloperRowTheDonateButtonAndTheContributor) {
    CommandRun run = runCommand(SETTINGS_BINARY, "--page QVAXCreditsController --screenshot '" + file("credits.png") +
                                                     "' --dump '" + file("tree.txt") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    auto shot = graphics::UIImage::imageWithData(prefs.readFile(file("credits.png")), 1);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->pixelWidth(), 750);
    const std::string tree = prefs.readFile(file("tree.txt"));
    for (const char* text : {"\"Credits\"", "\"DEVELOPER\"", "\"Kelvary Dev\"", "\"isDeveloper && isDesigner // == YES\"",
                             "\"Donate\"", "\"WITH THANKS TO\"", "\"Tarnwick\""})
        EXPECT_NE(tree.find(text), std::string::npos) << text << "\n" << tree;
    const size_t row = tree.find("QVDeveloperCell {0, ");
    ASSERT_NE(row, std::string::npos) << tree;
    EXPECT_NE(tree.find(", 375, 100}", row), std::string::npos) << tree.substr(row, 80);
}

TEST_F(CreditsPane, FromTheMainPageTheDeveloperOpensInTweetbotWhenItAndTwitterAreInstalled) {
    FakeDesktop desktop(prefs.root(), "x-scheme-handler/tweetbot|x-scheme-handler/twitter");
    CommandRun run = runSteps("tap-text Ampora\ntap-text CREATOR\ntap-text \"Kelvary Dev\"\n", "");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(desktop.waitForOpened(), std::vector<std::string>{"tweetbot:///user_profile/kelvaryDev"});
}

TEST_F(CreditsPane, WithNoClientTheDeveloperAndDonateOpenWebPages) {
    FakeDesktop desktop(prefs.root(), "");
    CommandRun run = runSteps("tap-text \"Kelvary Dev\"\ntap-text Donate\n");
    ASSERT_EQ(run.status, 0) << run.output;
    // Each URL goes to its own detached opener, so they may land in either order.
    auto opened = desktop.waitForOpened(2);
    std::sort(opened.begin(), opened.end());
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "https://kelvary.dev/donate");
    EXPECT_EQ(opened[1].rfind("https://", 0), 0u);
    EXPECT_TRUE(opened[1].ends_with("/kelvaryDev")) << opened[1];
}
