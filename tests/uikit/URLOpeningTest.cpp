#include <gtest/gtest.h>

#include "platform/uikit/services/URLOpener.h"
#include "tests/support/TempPreferences.h"
#include "tests/uikit/FakeDesktop.h"

using uikit::NSURL;
using uikit::percentEncode;

TEST(NSURL, RefusesTextThatIsNoURL) {
    for (const char* good : {"https://example.com/a?b=c#d", "tweetbot:///user_profile/x", "mailto:a@b.c?subject=Hi%20there",
                             "tweetbot:", "relative/path"})
        EXPECT_TRUE(NSURL::URLWithString(good)) << good;
    for (const char* bad : {"", "https://example.com/a b", "mailto:x?subject=%zz", "mailto:x?subject=%4", "a#b#c",
                            "https://ex\xC3\xA4mple.com", "https://example.com/\n"})
        EXPECT_FALSE(NSURL::URLWithString(bad)) << bad;
    EXPECT_EQ(NSURL::URLWithString("TweetBot:///x")->scheme(), "tweetbot");
    EXPECT_EQ(NSURL::URLWithString("relative/path:x")->scheme(), "");
}

TEST(NSURL, PercentEncodingLeavesNoFieldToInject) {
    EXPECT_EQ(percentEncode("Hi there & ?x=1#y"), "Hi%20there%20%26%20%3Fx%3D1%23y");
    EXPECT_EQ(percentEncode("a-b.c_d~e"), "a-b.c_d~e");
    EXPECT_EQ(percentEncode("me@example.com", "@"), "me@example.com");
    EXPECT_EQ(percentEncode("\xC3\xA4"), "%C3%A4");
    EXPECT_TRUE(NSURL::URLWithString("mailto:x?subject=" + percentEncode("any text: \"quoted\" % 100")));
}


TEST(XdgURLOpener, AsksTheDesktopForHandlersAndOpensDetached) {
    TempPreferences temp;
    FakeDesktop desktop(temp.root(), "x-scheme-handler/tweetbot|x-scheme-handler/twitter");
    uikit::XdgURLOpener opener;
    EXPECT_TRUE(opener.canOpenScheme("tweetbot"));
    EXPECT_TRUE(opener.canOpenScheme("twitter"));
    EXPECT_FALSE(opener.canOpenScheme("tweetings"));
    EXPECT_TRUE(opener.canOpenScheme("https"));
    EXPECT_FALSE(opener.canOpenScheme("bad scheme; rm -rf /"));

    ASSERT_TRUE(opener.openURL(*NSURL::URLWithString("https://example.com/?q=a%20b")));
    EXPECT_EQ(desktop.waitForOpened(), std::vector<std::string>{"https://example.com/?q=a%20b"});
}

TEST(XdgURLOpener, WithoutXdgOpenNothingOpens) {
    TempPreferences temp;
    FakeDesktop desktop(temp.root(), "x-scheme-handler/tweetbot", /*withOpener=*/false);
    uikit::XdgURLOpener opener;
    EXPECT_FALSE(opener.canOpenScheme("mailto"));
    EXPECT_FALSE(opener.openURL(*NSURL::URLWithString("https://example.com/")));
}
