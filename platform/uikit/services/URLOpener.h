#pragma once
// Handing URLs to the desktop: what UIApplication's openURL: and canOpenURL:
// stand on. Replaceable, so tests record instead of launching a browser.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/uikit/services/NSURL.h"

namespace uikit {

class URLOpener {
public:
    virtual ~URLOpener() = default;
    // True when the URL was handed to a handler (not whether it opened anything).
    virtual bool openURL(const NSURL& url) = 0;
    // True when some handler takes URLs of this (lower-case) scheme.
    virtual bool canOpenScheme(const std::string& scheme) = 0;
};

// xdg-open from PATH, without a shell, detached; its exit is ignored. A scheme
// counts as openable when `xdg-mime query default x-scheme-handler/SCHEME`
// names a handler; http, https and mailto whenever xdg-open exists.
class XdgURLOpener : public URLOpener {
public:
    bool openURL(const NSURL& url) override;
    bool canOpenScheme(const std::string& scheme) override;
};

// Remembers what was opened; opens the schemes it is told to.
class RecordingURLOpener : public URLOpener {
public:
    explicit RecordingURLOpener(std::set<std::string> openableSchemes = {}) : schemes_(std::move(openableSchemes)) {}
    bool openURL(const NSURL& url) override;
    bool canOpenScheme(const std::string& scheme) override { return schemes_.count(scheme) > 0; }
    const std::vector<std::string>& opened() const { return opened_; }

private:
    std::set<std::string> schemes_;
    std::vector<std::string> opened_;
};

// The process's opener: an XdgURLOpener until one is set.
URLOpener& sharedURLOpener();
void setSharedURLOpener(std::shared_ptr<URLOpener> opener);

// Full path of an executable found on PATH; empty when there is none.
std::string findOnPath(const std::string& program);

}  // namespace uikit
