#include "tools/StateRenders.h"

#include <chrono>

#include "common/ThemeCall.h"
#include "common/ThemeResult.h"
#include "engine/QVAXManager.h"

namespace tools {
namespace {

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

std::vector<StateRender> renderStates(const std::string& script, std::int64_t type, double scale,
                                      webview::UIWebView& page, std::vector<std::string>& warnings) {
    // Colors as the engine would decide them with this preferences root's settings.
    graphics::setMainScreenScale(scale);
    QVAXManager colors;
    const double height = 20 * scale;
    std::vector<StateRender> renders;
    for (const Case& c : kCases) {
        StateRender r;
        r.label = c.label;
        const auto decided = colors.createBatteryRenderColorSettingsForForegroundColor(graphics::Color::grey(1), c.charging,
                                                                                       c.level, c.lowPower);
        const ThemeCall::Arguments arguments{height, c.level, c.charging, c.level <= colors.lowLevel(), c.lowPower,
                                             decided.color, decided.baseColor};
        const std::string call = type == 1 ? ThemeCall::fiveParameterCall(script, arguments)
                                           : ThemeCall::sevenParameterCall(script, arguments);
        page.loadHTMLString("");
        const auto start = std::chrono::steady_clock::now();
        const std::string result = page.stringByEvaluatingJavaScriptFromString(call);
        r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        printConsole(r.label, page.lastConsole());
        auto image = result.empty() ? nullptr : ThemeResult::imageFromResult(result, scale);
        if (!image) {
            const bool threw = page.lastOutcome().kind == webview::EvaluationOutcome::Kind::Exception;
            r.why = result.empty() ? page.lastOutcome().describe() : "the result is not a base64 PNG data URL";
            if (threw) {
                const webview::EvaluationOutcome first = page.lastOutcome();
                r.error = locateError(page, call);
                // A syntax error raised by eval carries the position of the eval,
                // not its own: the line the page reported the first time is right.
                if (r.error && r.error->message.rfind("SyntaxError", 0) == 0 && first.line > 0)
                    *r.error = syntaxErrorAt(first.message, first.line, script);
            }
            renders.push_back(std::move(r));
            continue;
        }
        r.ok = true;
        r.width = image->pixelWidth(), r.height = image->pixelHeight();
        if (r.height > height)
            warnings.push_back(r.label + ": the canvas is " + std::to_string(r.height) + " px tall, taller than the " +
                               std::to_string(int(height)) + " px it was given");
        if (result.rfind("data:image/png", 0) != 0)
            warnings.push_back(r.label + ": the result is not a PNG data URL (\"" + result.substr(0, 24) + "...\")");
        renders.push_back(std::move(r));
    }
    return renders;
}

}  // namespace tools
