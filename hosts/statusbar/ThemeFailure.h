#pragma once
// Why the theme gave the status bar no image, in one sentence for the tray's
// tooltip: "Theme "X" failed: ReferenceError: Can't find variable: foo (line 3)".
// Each sentence reaches the log once, however often the theme fails with it.

#include <optional>
#include <set>
#include <string>
#include <utility>

#include "hosts/statusbar/ThemeConsoleLog.h"
#include "platform/webview/WebView.h"

namespace statusbar {

class ThemeFailures {
public:
    // Watches every theme evaluation of this process from now on.
    static ThemeFailures& install();
    // The installed one, or null.
    static ThemeFailures* installed();

    // Before the battery view is asked for its image: what came before does not count.
    void frameBegins() { last_.reset(); }
    // The view gave no image: why, from the evaluation of this frame; empty
    // when the theme worker was still starting, which is no failure.
    std::string noImage();

    // The sentence for a theme (empty: not known) and its outcome (null: no evaluation ran).
    static std::string sentence(const std::string& theme, const webview::EvaluationOutcome* outcome);

private:
    ThemeFailures() = default;

    std::optional<std::pair<std::string, webview::EvaluationOutcome>> last_;  // script, outcome
    std::set<std::string> logged_;
    ThemeConsoleLog names_;
};

}  // namespace statusbar
