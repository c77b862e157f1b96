#include "settings/toolkit/SKSharedHelper.h"

#include <utility>

#include "platform/foundation/Log.h"
#include "platform/uikit/services/URLOpener.h"

namespace {

bool canOpenScheme(const std::string& bareScheme) {
    auto url = uikit::NSURL::URLWithString(bareScheme);
    return url && uikit::sharedURLOpener().canOpenScheme(url->scheme());
}

void open(const std::string& text) {
    if (auto url = uikit::NSURL::URLWithString(text))
        uikit::sharedURLOpener().openURL(*url);
    else
        foundation::logLine("AMPORA: not a URL: " + text);
}

}  // namespace

void SKSharedHelper::openTwitter(const std::string& handle) {
    static const std::pair<const char*, const char*> clients[] = {
        {"tweetbot:", "tweetbot:///user_profile/"},
        {"twitterrific:", "twitterrific:///profile?screen_name="},
        {"tweetings:", "tweetings:///user?screen_name="},
        {"twitter:", "twitter://user?screen_name="},
    };
    std::string prefix = "https://twitter.com/";
    for (const auto& [scheme, clientPrefix] : clients)
        if (canOpenScheme(scheme)) {
            prefix = clientPrefix;
            break;
        }
    open(prefix + uikit::percentEncode(handle));
}

void SKSharedHelper::openGitHub(const std::string& userName) {
    const std::string prefix = canOpenScheme("ioc:") ? "ioc://github.com/" : "https://github.com/";
    open(prefix + uikit::percentEncode(userName));
}

void SKSharedHelper::openEmail(const std::string& address, const std::string& subject) {
    open("mailto:" + uikit::percentEncode(address, "@") + "?subject=" + uikit::percentEncode(subject));
}
