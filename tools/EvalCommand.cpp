// ampora eval: run a script in a fresh page and print its string value.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Base64.h"
#include "platform/webview/WebView.h"
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

int usage(const std::string& problem) {
    std::fprintf(stderr, "ampora eval: %s\n\n%s", problem.c_str(), kHelp);
    return kUsage;
}

}  // namespace

int evalCommand(const std::vector<std::string>& args) {
    std::string script, file, output;
    bool haveScript = false;
    long timeout = webview::UIWebView::kDefaultTimeLimit.count();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* name) -> const std::string* {
            if (i + 1 >= args.size()) return nullptr;
            (void)name;
            return &args[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return kSuccess;
        } else if (a == "--file") {
            auto v = value("--file");
            if (!v) return usage("--file needs a file name");
            file = *v;
        } else if (a == "--timeout-ms") {
            auto v = value("--timeout-ms");
            char* end = nullptr;
            if (!v || (timeout = std::strtol(v->c_str(), &end, 10), *end != '\0') || timeout <= 0)
                return usage("--timeout-ms needs a positive whole number of milliseconds");
        } else if (a == "-o") {
            auto v = value("-o");
            if (!v) return usage("-o needs a file name");
            output = *v;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return usage("unknown option '" + a + "'");
        } else if (haveScript) {
            return usage("give one expression (quote it)");
        } else {
            script = a;
            haveScript = true;
        }
    }
    if (haveScript == !file.empty()) return usage("give either --file SCRIPT or an EXPRESSION");
    if (!file.empty()) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return usage("cannot read '" + file + "'");
        script.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    webview::UIWebView page;
    page.setTimeLimit(std::chrono::milliseconds(timeout));
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
        const auto marker = result.find("base64,");
        auto bytes = marker == std::string::npos ? std::nullopt
                                                 : foundation::base64DecodeStrict(std::string_view(result).substr(marker + 7));
        if (!bytes) {
            std::fprintf(stderr, "ampora eval: the result is not a base64 data URL; nothing written to %s\n", output.c_str());
            return kFailure;
        }
        if (!foundation::writeFileAtomically(output, *bytes)) {
            std::fprintf(stderr, "ampora eval: cannot write %s\n", output.c_str());
            return kFailure;
        }
    }
    return kSuccess;
}

}  // namespace tools
