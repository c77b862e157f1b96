#include <gtest/gtest.h>

#include "platform/uikit/services/URLOpener.h"
#include "settings/toolkit/SKSharedHelper.h"

namespace {

// Installs a recording opener for one test.
struct Recording {
    std::shared_ptr<uikit::RecordingURLOpener> opener;
    explicit Recording(std::set<std::string> schemes)
        : opener(std::make_shared<uikit::RecordingURLOpener>(std::move(schemes))) {
        uikit::setSharedURLOpener(opener);
    }
    ~Recording() { uikit::setSharedURLOpener(nullptr); }
    std::vector<std::string> opened() const { return opener->opened(); }
};

}  // namespace

TEST(SKSharedHelper, TwitterProfileOpensInTheFirstInstalledClient) {
    {
        Recording r({"twitter", "tweetbot"});
        SKSharedHelper::openTwitter("kelvaryDev");
        EXPECT_EQ(r.opened(), std::vector<std::string>{"tweetbot:///user_profile/kelvaryDev"});
    }
    {
        Recording r({"twitter", "tweetings"});
        SKSharedHelper::openTwitter("kelvaryDev");
        EXPECT_EQ(r.opened(), std::vector<std::string>{"tweetings:///user?screen_name=kelvaryDev"});
    }
    {
        Recording r({});
        SKSharedHelper::openTwitter("kelvaryDev");
        ASSERT_EQ(r.opened().size(), 1u);
        EXPECT_EQ(r.opened()[0].rfind("https://", 0), 0u);
        EXPECT_TRUE(r.opened()[0].ends_with("/kelvaryDev"));
    }
}

TEST(SKSharedHelper, InsertedPartsAreEncodedSoTheyOpen) {
    Recording r({"ioc"});
    SKSharedHelper::openEmail("help@example.com", "Ampora & me? yes");
    SKSharedHelper::openTwitter("a b");
    SKSharedHelper::openGitHub("some/one");
    EXPECT_EQ(r.opened(), (std::vector<std::string>{"mailto:help@example.com?subject=Ampora%20%26%20me%3F%20yes",
                                                     "https://twitter.com/a%20b", "ioc://github.com/some%2Fone"}));
}
