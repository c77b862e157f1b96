#include "tools/StateRenders.h"

#include <chrono>
#include <cstdio>

#include "common/ThemeCall.h"
#include "common/ThemeResult.h"
#include "engine/QVAXManager.h"

namespace tools {
namespace {

struct Case {
    std::string label;
    int level;
    bool charging, lowPower;
};
std::vector<Case> casesAt(int level) {
    const std::string at = " " + std::to_string(level) + "%";
    return {{"normal" + at, level, false, false},    {"charging" + at, level, true, false},
            {"full, charging", 100, true, false},     {"low 10%", 10, false, false},
            {"low power" + at, level, false, true},   {"empty 0%", 0, false, false}};
}

}  // namespace

std::vector<StateRender> renderStates(const std::string& script, std::int64_t type, double scale,
                                      webview::UIWebView& page, std::vector<std::string>& warnings, int level) {
    // Colors as the engine would decide them with this preferences root's settings.
    graphics::setMainScreenScale(scale);
    QVAXManager colors;
    const double height = 20 * scale;
    std::vector<StateRender> renders;
    for (const Case& c : casesAt(level)) {
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

int printStateRenders(const std::vector<StateRender>& renders, const std::string& script) {
    int failed = 0;
    std::string previous;
    for (const auto& r : renders) {
        if (r.ok) {
            std::printf("  %-16s ok     %6.1f ms  %d x %d px\n", r.label.c_str(), r.ms, r.width, r.height);
            continue;
        }
        ++failed;
        std::string why = r.error ? describeError(*r.error, script) : r.why;
        // A script that fails the same way in every state is shown once.
        if (why == previous && why.find('\n') != std::string::npos) {
            std::printf("  %-16s FAILED %6.1f ms  the same error\n", r.label.c_str(), r.ms);
            continue;
        }
        previous = why;
        for (size_t at = 0; (at = why.find('\n', at)) != std::string::npos; at += 1) why.insert(at + 1, "  "), ++at;
        std::printf("  %-16s FAILED %6.1f ms  %s\n", r.label.c_str(), r.ms, why.c_str());
    }
    std::fflush(stdout);
    return failed;
}

}  // namespace tools
