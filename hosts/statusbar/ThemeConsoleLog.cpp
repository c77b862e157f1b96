#include "hosts/statusbar/ThemeConsoleLog.h"

#include <filesystem>

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "platform/webview/WebView.h"

namespace statusbar {

std::vector<std::string> ThemeConsoleLog::admit(const std::string& theme, const std::vector<std::string>& lines,
                                                Clock::time_point now) {
    Window& window = windows_[theme];
    if (now - window.start >= std::chrono::minutes(1)) window = Window{now, 0};
    std::vector<std::string> out;
    for (const auto& line : lines) {
        if (window.lines > kLinesPerMinute) break;
        if (window.lines++ == kLinesPerMinute)
            out.push_back("AMPORA: theme '" + theme + "' logs more than " + std::to_string(kLinesPerMinute) +
                          " lines a minute; the rest of this minute is not logged");
        else
            out.push_back("AMPORA: theme '" + theme + "' " + line);
    }
    return out;
}

std::string ThemeConsoleLog::themeNameOf(const std::string& script) {
    // The call is "(function" + the theme's text + ")(arguments)"; the arguments hold no ")(".
    const auto split = script.rfind(")(");
    const std::string function = split == std::string::npos ? script : script.substr(0, split);
    if (auto known = names_.find(function); known != names_.end()) return known->second;
    std::string name = "an unknown theme";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(foundation::themeFolderPath(), error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() < 4 || file.compare(file.size() - 3, 3, ".js") != 0) continue;
        auto text = foundation::readUTF8File(entry.path().string(), foundation::ReadLimit::theme);
        if (text && function == "(function" + *text) {
            name = file.substr(0, file.size() - 3);
            break;
        }
    }
    if (names_.size() > 64) names_.clear();
    return names_[function] = name;
}

void ThemeConsoleLog::install() {
    static ThemeConsoleLog log;
    webview::UIWebView::setConsoleObserver([](const std::string& script, const std::vector<std::string>& lines) {
        for (const auto& line : log.admit(log.themeNameOf(script), lines, Clock::now())) foundation::logLine(line);
    });
}

}  // namespace statusbar
