// ampora eval: run a script in a fresh page and print its value.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Base64.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/AuthorOutput.h"
#include "tools/Command.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora eval [--timeout-ms N] [-o FILE] (--file SCRIPT | EXPRESSION)\n"
    "\n"
    "Evaluates JavaScript in a fresh page with a document and <canvas>, as themes run.\n"
    "Prints the value and a newline: a string as it is, undefined as \"undefined\",\n"
    "any other value as JSON. What the script logs with console goes to stderr.\n"
    "\n"
    "  --file SCRIPT     read the script from a file\n"
    "  --timeout-ms N    stop the script after N milliseconds (default 250)\n"
    "  -o FILE           the result is a data URL: write the image it holds to FILE; a PNG,\n"
    "                    or the type FILE's extension names (.jpg, .webp, .gif, .svg, .bmp)\n"
    "\n"
    "Exit status: 0 with a value, 1 when the script threw or was stopped (the reason on\n"
    "stderr) or -o could not be written, 2 on bad usage.\n";

struct DataURLImage {
    std::string bytes;
    std::string problem;  // empty when `bytes` is what was asked for
};

// The MIME type an output file's name asks for; a PNG unless it names another.
std::string typeAskedFor(const std::string& output) {
    const auto dot = output.rfind('.');
    std::string ext = dot == std::string::npos || output.find('/', dot) != std::string::npos ? "" : output.substr(dot + 1);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
    if (ext == "webp" || ext == "gif" || ext == "bmp") return "image/" + ext;
    if (ext == "svg") return "image/svg+xml";
    return "image/png";
}

// The decoded bytes of a base64 data URL, when they are of the type asked for;
// a PNG's bytes must start with its signature.
DataURLImage dataURLImage(const std::string& url, const std::string& output) {
    if (url.rfind("data:", 0) != 0) return {"", "the result is not a data URL"};
    const auto comma = url.find(',');
    const std::string header = url.substr(5, comma == std::string::npos ? 0 : comma - 5);
    std::string type = header.substr(0, header.find(';'));
    for (char& c : type) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (type.empty()) type = "text/plain";
    if (header.size() < 7 || header.compare(header.size() - 7, 7, ";base64") != 0)
        return {"", "the result is a data URL of " + type + " that is not base64"};
    auto bytes = foundation::base64DecodeStrict(std::string_view(url).substr(comma + 1));
    if (!bytes) return {"", "the result's base64 is not valid"};
    const std::string asked = typeAskedFor(output);
    if (type != asked) return {"", "the result is a data URL of " + type + ", not " + (asked == "image/png" ? "a PNG" : asked)};
    if (type == "image/png" && bytes->rfind("\x89PNG\r\n\x1a\n", 0) != 0)
        return {"", "the result says image/png but its bytes are not a PNG"};
    return {std::move(*bytes), ""};
}

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
    // The page tags the value with its kind: a string as it is, undefined by
    // name, anything else as JSON (or its String() when JSON has no text for it).
    const std::string wrapped =
        "(function(J,S){var v=(0,eval)(" + jsStringLiteral(script) +
        ");if(typeof v==='string')return 's'+v;if(v===undefined)return 'u';"
        "var j;try{j=J(v)}catch(e){}return 'j'+(j===undefined?S(v):j)})(JSON.stringify,String)";
    const std::string tagged = page.stringByEvaluatingJavaScriptFromString(wrapped);
    printConsole("eval", page.lastConsole());
    if (tagged.empty()) {
        std::fprintf(stderr, "ampora eval: %s\n", page.lastOutcome().describe().c_str());
        return kFailure;
    }
    const std::string result = tagged[0] == 'u' ? "undefined" : tagged.substr(1);
    std::printf("%s\n", result.c_str());
    std::fflush(stdout);
    if (!output.empty()) {
        if (tagged[0] != 's') {
            std::fprintf(stderr, "ampora eval: the result is %s, not a data URL; nothing written to %s\n",
                         tagged[0] == 'u' ? "undefined" : "no string", output.c_str());
            return kFailure;
        }
        auto image = dataURLImage(result, output);
        if (!image.problem.empty()) {
            std::fprintf(stderr, "ampora eval: %s; nothing written to %s\n", image.problem.c_str(), output.c_str());
            return kFailure;
        }
        std::string problem;
        if (!foundation::writeOutputFile(output, image.bytes, problem)) {
            std::fprintf(stderr, "ampora eval: nothing written: %s\n", problem.c_str());
            return kFailure;
        }
    }
    return kSuccess;
}

}  // namespace tools
