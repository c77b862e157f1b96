#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <cstdlib>
#include <thread>

#include "platform/uikit/services/URLOpener.h"
#include "tests/support/TempPreferences.h"

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

namespace {

// Fake xdg-open and xdg-mime first on PATH: the first records its argument,
// the second knows a handler for the schemes listed in `handlers`.
struct FakeDesktop {
    TempPreferences temp;
    std::string bin = temp.root() + "/bin";
    std::string log = temp.root() + "/opened.txt";
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

    explicit FakeDesktop(const std::string& handlers, bool withOpener = true) {
        if (withOpener) script("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log + "'\n");
        script("xdg-mime", "#!/bin/sh\ncase \"$3\" in\n" + handlers + ") echo handler.desktop;;\nesac\n");
        setenv("PATH", (bin + ":/usr/bin:/bin").c_str(), 1);
    }
    ~FakeDesktop() { setenv("PATH", oldPath.c_str(), 1); }
    void script(const std::string& name, const std::string& body) {
        std::filesystem::create_directories(bin);
        temp.writeFile(bin + "/" + name, body);
        chmod((bin + "/" + name).c_str(), 0755);
    }
    // The detached opener writes a little later.
    std::string waitForOpened() {
        for (int i = 0; i < 200; ++i) {
            std::string got = temp.readFile(log);
            if (!got.empty()) return got;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
};

}  // namespace

TEST(XdgURLOpener, AsksTheDesktopForHandlersAndOpensDetached) {
    FakeDesktop desktop("x-scheme-handler/tweetbot|x-scheme-handler/twitter");
    uikit::XdgURLOpener opener;
    EXPECT_TRUE(opener.canOpenScheme("tweetbot"));
    EXPECT_TRUE(opener.canOpenScheme("twitter"));
    EXPECT_FALSE(opener.canOpenScheme("tweetings"));
    EXPECT_TRUE(opener.canOpenScheme("https"));
    EXPECT_FALSE(opener.canOpenScheme("bad scheme; rm -rf /"));

    ASSERT_TRUE(opener.openURL(*NSURL::URLWithString("https://example.com/?q=a%20b")));
    EXPECT_EQ(desktop.waitForOpened(), "https://example.com/?q=a%20b\n");
}

TEST(XdgURLOpener, WithoutXdgOpenNothingOpens) {
    FakeDesktop desktop("x-scheme-handler/tweetbot", /*withOpener=*/false);
    uikit::XdgURLOpener opener;
    EXPECT_FALSE(opener.canOpenScheme("mailto"));
    EXPECT_FALSE(opener.openURL(*NSURL::URLWithString("https://example.com/")));
}
