#pragma once
// The application: its key window and handing URLs to the desktop.

#include "platform/uikit/services/NSURL.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {

class UIApplication {
public:
    static UIApplication& sharedApplication();

    UIWindowPtr keyWindow() const { return UIWindow::keyWindow(); }
    // Through the process's URL opener; false when it was not handed over.
    bool openURL(const NSURL& url);
    // Whether a handler takes the URL's scheme; false for a URL without one.
    bool canOpenURL(const NSURL& url);

private:
    UIApplication() = default;
};

}  // namespace uikit
