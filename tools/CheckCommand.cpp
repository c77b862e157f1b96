// ampora check: what a theme author needs to know about a theme.
#include <chrono>
#include <cstdio>

#include "common/ThemeCall.h"
#include "common/ThemeResult.h"
#include "common/ThemeSignature.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Text.h"
#include "platform/webview/Fonts.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/Command.h"
#include "tools/ThemeSource.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora check (NAME | FILE) [--scale S]\n"
    "\n"
    "Says which calling convention a theme follows and why, checks the length rule,\n"
    "renders it once in each state with its time, and warns about what a theme author\n"
    "should fix. Exit status 1 when the theme cannot be used or a render failed.\n";

struct Case {
    const char* label;
    int level;
    bool charging, lowPower;
};
const Case kCases[] = {
    {"normal 57%", 57, false, false},   {"charging 57%", 57, true, false}, {"full, charging", 100, true, false},
    {"low 10%", 10, false, false},      {"low power 57%", 57, false, true}, {"empty 0%", 0, false, false},
};

}  // namespace

int checkCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    double scale = 2;
    ThemeFile theme;
    try {
        scale = args.number("--scale", 1, 4).value_or(2);
        auto rest = args.positional();
        if (rest.size() != 1) throw UsageError("name one theme or script file");
        theme = themeByNameOrFile(rest[0]);
    } catch (const UsageError& e) {
        return usageFailure("check", e.what(), kHelp);
    }

    std::printf("theme      %s\nfile       %s\n", theme.name.c_str(), theme.path.c_str());
    if (!theme.text) {
        std::printf("unusable   %s\n", unusableBecause(theme)->c_str());
        return kFailure;
    }
    const std::string& script = *theme.text;
    std::vector<std::string> warnings;
    const size_t length = foundation::utf16Length(script);
    std::printf("length     %zu characters (at least 100 needed): %s\n", length, length >= 100 ? "ok" : "too short");

    auto list = ThemeSignature::findParameterList(script);
    const std::int64_t type = QVAXManager::typeForScript(script);
    if (!list) {
        std::printf("type       0, unusable: no parameter list of plain names (letters, digits, _; no $) was found\n");
    } else {
        std::printf("parameters %s at character %zu: %d comma%s, so type %lld%s\n", list->text.c_str(),
                    foundation::utf16Length(script.substr(0, list->offset)), list->commas, list->commas == 1 ? "" : "s",
                    static_cast<long long>(type),
                    type == 1 ? " (five parameters: height, level, charging, low, color)"
                    : type == 2 ? " (seven parameters: height, level, charging, low, low power, color, base color)"
                                : ", unusable: themes take 5 or 7 names");
        const size_t lead = script.find_first_not_of(" \t\r\n");
        if (lead != list->offset)
            warnings.push_back("the list that decided the type is not the script's leading one: " +
                               std::string("the script should start with its own parameter list"));
    }
    std::printf("font       Helvetica Neue resolves to %s\n",
                webview::Fonts::shared().resolvedFamily("Helvetica Neue").c_str());
    if (type == 0 || length < 100) {
        for (const auto& w : warnings) std::printf("warning    %s\n", w.c_str());
        return kFailure;
    }

    // Colors as the engine would decide them with this preferences root's settings.
    graphics::setMainScreenScale(scale);
    QVAXManager colors;
    webview::UIWebView page;
    const double height = 20 * scale;
    int failed = 0;
    std::printf("renders    height %.0f px at scale %g, on a dark status bar\n", height, scale);
    for (const Case& c : kCases) {
        const auto decided = colors.createBatteryRenderColorSettingsForForegroundColor(graphics::Color::grey(1), c.charging,
                                                                                       c.level, c.lowPower);
        const ThemeCall::Arguments arguments{height, c.level, c.charging, c.level <= colors.lowLevel(), c.lowPower,
                                             decided.color, decided.baseColor};
        const std::string call = type == 1 ? ThemeCall::fiveParameterCall(script, arguments)
                                           : ThemeCall::sevenParameterCall(script, arguments);
        page.loadHTMLString("");
        const auto start = std::chrono::steady_clock::now();
        const std::string result = page.stringByEvaluatingJavaScriptFromString(call);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        auto image = result.empty() ? nullptr : ThemeResult::imageFromResult(result, scale);
        if (!image) {
            ++failed;
            const std::string why = result.empty() ? page.lastOutcome().describe()
                                                   : "the result is not a base64 PNG data URL";
            std::printf("  %-16s FAILED %6.1f ms  %s\n", c.label, ms, why.c_str());
            continue;
        }
        std::printf("  %-16s ok     %6.1f ms  %d x %d px\n", c.label, ms, image->pixelWidth(), image->pixelHeight());
        if (image->pixelHeight() > height)
            warnings.push_back(std::string(c.label) + ": the canvas is " + std::to_string(image->pixelHeight()) +
                               " px tall, taller than the " + std::to_string(int(height)) + " px it was given");
        if (result.rfind("data:image/png", 0) != 0)
            warnings.push_back(std::string(c.label) + ": the result is not a PNG data URL (\"" + result.substr(0, 24) + "...\")");
    }
    for (const auto& w : warnings) std::printf("warning    %s\n", w.c_str());
    return failed ? kFailure : kSuccess;
}

}  // namespace tools
