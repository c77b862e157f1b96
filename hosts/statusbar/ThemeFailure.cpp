#include "hosts/statusbar/ThemeFailure.h"

#include "platform/foundation/Log.h"

namespace statusbar {

namespace {
ThemeFailures* gInstalled = nullptr;
// The log keeps a sentence once; a theme that fails a new way each time stops there.
constexpr size_t kMostLogged = 256;
}  // namespace

ThemeFailures& ThemeFailures::install() {
    static ThemeFailures failures;
    gInstalled = &failures;
    webview::UIWebView::setEvaluationObserver([](const std::string& script, const webview::EvaluationOutcome& outcome) {
        gInstalled->last_.emplace(script, outcome);
    });
    return failures;
}

ThemeFailures* ThemeFailures::installed() { return gInstalled; }

std::string ThemeFailures::sentence(const std::string& theme, const webview::EvaluationOutcome* outcome) {
    const std::string who = theme.empty() ? "The theme" : "Theme \"" + theme + "\"";
    if (!outcome) return who + " gave no image";
    // A string came back, but not a data URL of an image.
    if (outcome->kind == webview::EvaluationOutcome::Kind::String) return who + " failed: its result is no PNG image";
    return who + " failed: " + outcome->describe();
}

std::string ThemeFailures::noImage() {
    // Not the theme's failure: the icon is drawn again once the worker is up.
    if (last_ && last_->second.waitedForEvaluator()) return {};
    std::string theme;
    if (last_) {
        theme = names_.themeNameOf(last_->first);
        if (theme == "an unknown theme") theme.clear();
    }
    const std::string why = sentence(theme, last_ ? &last_->second : nullptr);
    if (logged_.size() < kMostLogged && logged_.insert(why).second)
        foundation::logLine("AMPORA: status bar: " + why + "; showing the stock battery");
    return why;
}

}  // namespace statusbar
