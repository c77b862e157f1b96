#pragma once
// What themes print with console.log reaches the host's log under the theme's
// name, at most 20 lines per theme per minute, so a theme that logs on every
// redraw can neither slow the host nor fill its log.

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace statusbar {

class ThemeConsoleLog {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kLinesPerMinute = 20;

    // The log lines to write for `lines` of `theme` at `now`: the first 20 of
    // each minute, then one line saying the rest of that minute is dropped.
    std::vector<std::string> admit(const std::string& theme, const std::vector<std::string>& lines, Clock::time_point now);

    // The name of the installed theme whose call `script` is, found by its text;
    // "an unknown theme" when none matches (a file edited since it was loaded).
    std::string themeNameOf(const std::string& script);

    // Sends every evaluation's console lines of this process to the system log.
    static void install();

private:
    struct Window {
        Clock::time_point start;
        int lines = 0;
    };
    std::map<std::string, Window> windows_;
    std::map<std::string, std::string> names_;  // a call's function text -> theme name
};

}  // namespace statusbar
