// ampora check: what a theme author needs to know about a theme.
#include <cstdio>

#include "common/ThemeSignature.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Text.h"
#include "platform/webview/Fonts.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/Command.h"
#include "tools/StateRenders.h"
#include "tools/ThemeSource.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora check (NAME | FILE) [--scale S]\n"
    "\n"
    "Says which calling convention a theme follows and why, checks the length rule,\n"
    "renders it once in each state with its time, and warns about what a theme author\n"
    "should fix. Exit status 1 when the theme cannot be used or a render failed.\n";

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

    webview::UIWebView page;
    std::printf("renders    height %.0f px at scale %g, on a dark status bar\n", 20 * scale, scale);
    const int failed = printStateRenders(renderStates(script, type, scale, page, warnings), script);
    for (const auto& w : warnings) std::printf("warning    %s\n", w.c_str());
    return failed ? kFailure : kSuccess;
}

}  // namespace tools
