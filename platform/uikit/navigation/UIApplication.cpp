#include "platform/uikit/navigation/UIApplication.h"

#include "platform/uikit/services/URLOpener.h"

namespace uikit {

UIApplication& UIApplication::sharedApplication() {
    static UIApplication application;
    return application;
}

bool UIApplication::openURL(const NSURL& url) { return sharedURLOpener().openURL(url); }

bool UIApplication::canOpenURL(const NSURL& url) {
    const std::string scheme = url.scheme();
    return !scheme.empty() && sharedURLOpener().canOpenScheme(scheme);
}

}  // namespace uikit
