// ampora eval: run a script in a fresh page and print its string value.
#include <cstdio>
#include <cstdlib>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Base64.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/Command.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora eval [--timeout-ms N] [-o FILE] (--file SCRIPT | EXPRESSION)\n"
    "\n"
    "Evaluates JavaScript in a fresh page with a document and <canvas>, as themes run.\n"
    "Prints the result string and a newline (nothing for an empty result).\n"
    "\n"
    "  --file SCRIPT     read the script from a file\n"
    "  --timeout-ms N    stop the script after N milliseconds (default 250)\n"
    "  -o FILE           the result is a data URL: write the image it holds to FILE\n"
    "\n"
    "Exit status: 0 with a result, 1 when the result is empty (the reason on stderr), 2 on bad usage.\n";

}  // namespace

int evalCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    std::string script, output;
    double timeout = 0;
    try {
        timeout = args.number("--timeout-ms", 1, 3600 * 1000).value_or(double(webview::UIWebView::kDefaultTimeLimit.count()));
        const std::string file = args.value("--file").value_or("");
        output = args.value("-o").value_or("");
        const auto rest = args.positional();
        if (rest.size() > 1) throw UsageError("give one expression (quote it)");
        if (rest.empty() == file.empty()) throw UsageError("give either --file SCRIPT or an EXPRESSION");
        if (file.empty()) {
            script = rest[0];
        } else {
            std::string problem;
            auto text = foundation::readUTF8File(file, foundation::ReadLimit::theme, &problem);
            if (!text) throw UsageError("cannot read '" + file + "': it " + problem);
            script = std::move(*text);
        }
    } catch (const UsageError& e) {
        return usageFailure("eval", e.what(), kHelp);
    }

    webview::UIWebView page;
    page.setTimeLimit(std::chrono::milliseconds(long(timeout)));
    page.loadHTMLString("");
    const std::string result = page.stringByEvaluatingJavaScriptFromString(script);
    if (result.empty()) {
        const auto& outcome = page.lastOutcome();
        std::fprintf(stderr, "ampora eval: no result: %s\n",
                     outcome.kind == webview::EvaluationOutcome::Kind::String ? "the script returned an empty string"
                                                                             : outcome.describe().c_str());
        return kFailure;
    }
    std::printf("%s\n", result.c_str());
    if (!output.empty()) {
        auto bytes = foundation::base64PayloadOf(result);
        if (!bytes) {
            std::fprintf(stderr, "ampora eval: the result is not a base64 data URL; nothing written to %s\n", output.c_str());
            return kFailure;
        }
        std::string problem;
        if (!foundation::writeOutputFile(output, std::string(bytes->begin(), bytes->end()), problem)) {
            std::fprintf(stderr, "ampora eval: nothing written: %s\n", problem.c_str());
            return kFailure;
        }
    }
    return kSuccess;
}

}  // namespace tools
