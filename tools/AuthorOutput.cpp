#include "tools/AuthorOutput.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/foundation/Text.h"

namespace tools {
namespace {

// What the console guard prefixes: the state the command is drawing now.
const std::string* gState = nullptr;

// The position in the call, a function expression, of the script's first character.
constexpr int kCallPrefix = 9;  // "(function"

}  // namespace

std::string jsStringLiteral(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') out += '\\', out += char(c);
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else if (c == 0xe2 && i + 2 < text.size() && text[i + 1] == '\x80' && (text[i + 2] == '\xa8' || text[i + 2] == '\xa9')) {
            // Line and paragraph separators end a string literal in older engines.
            out += text[i + 2] == '\xa8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

void printConsole(const std::string& state, const std::vector<std::string>& lines) {
    for (const auto& line : lines) std::fprintf(stderr, "[%s] %s\n", state.c_str(), line.c_str());
}

ConsoleToStderr::ConsoleToStderr(const std::string& state) {
    gState = &state;
    webview::UIWebView::setConsoleObserver([](const std::string&, const std::vector<std::string>& lines) {
        printConsole(gState ? *gState : std::string("script"), lines);
    });
}

ConsoleToStderr::~ConsoleToStderr() {
    webview::UIWebView::setConsoleObserver(nullptr);
    gState = nullptr;
}

std::optional<ScriptError> locateError(webview::UIWebView& page, const std::string& call) {
    // Evaluated as a string, a syntax error is an exception the page can catch
    // and read the position of; both count lines and columns of `call`.
    const std::string probe =
        "(function(S){try{(0,eval)(" + jsStringLiteral(call) +
        ");return ''}catch(e){var t;try{t=S(e)}catch(f){t='an exception'}"
        "return '\\u0001'+(e!==null&&typeof e==='object'?(+e.line||0)+':'+(+e.column||0):'0:0')+':'+t}})(String)";
    page.loadHTMLString("");
    const std::string answer = page.stringByEvaluatingJavaScriptFromString(probe);
    page.loadHTMLString("");
    if (answer.rfind("\x01", 0) != 0) return std::nullopt;
    ScriptError error;
    char* end = nullptr;
    error.line = int(std::strtol(answer.c_str() + 1, &end, 10));
    if (*end == ':') error.column = int(std::strtol(end + 1, &end, 10));
    if (*end == ':') ++end;
    error.message = end;
    // The call's first line holds "(function" before the script's own text.
    if (error.line == 1 && error.column > kCallPrefix) error.column -= kCallPrefix;
    return error;
}

namespace {
// The text of line `line` (from 1) of `script`, nullopt past its end.
std::optional<std::string> sourceLine(const std::string& script, int line) {
    size_t start = 0;
    for (int at = 1; at < line && start != std::string::npos; ++at) {
        start = script.find('\n', start);
        if (start != std::string::npos) ++start;
    }
    if (start == std::string::npos || start > script.size()) return std::nullopt;
    std::string text = script.substr(start, script.find('\n', start) - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}
}  // namespace

ScriptError syntaxErrorAt(const std::string& message, int line, const std::string& script) {
    ScriptError error{message, line, 0};
    const auto open = message.find('\''), close = message.rfind('\'');
    const auto text = sourceLine(script, line);
    if (text && open != std::string::npos && close > open + 1) {
        const auto at = text->find(message.substr(open + 1, close - open - 1));
        if (at != std::string::npos) error.column = int(foundation::utf16Length(text->substr(0, at))) + 1;
    }
    return error;
}

std::string describeError(const ScriptError& error, const std::string& script) {
    if (error.line <= 0) return error.message;
    std::string out = "line " + std::to_string(error.line);
    if (error.column > 0) out += ", column " + std::to_string(error.column);
    out += ": " + error.message;
    auto found = sourceLine(script, error.line);
    if (!found) return out;
    std::string source = std::move(*found);
    // Long minified lines: show the part around the column.
    size_t column = error.column > 0 ? size_t(error.column - 1) : 0;
    std::string lead;
    if (column > 60) {
        size_t from = column - 40;
        while (from > 0 && (static_cast<unsigned char>(source[from]) & 0xc0) == 0x80) --from;
        source = source.substr(from);
        column -= from;
        lead = "...";
    }
    if (source.size() > column + 80) source = source.substr(0, column + 80) + "...";
    out += "\n    " + lead + source;
    if (error.column > 0) {
        // Tabs stay tabs so the caret lines up; other characters count by code point.
        std::string pad;
        const std::string before = lead + source.substr(0, column);
        for (size_t i = 0; i < before.size(); ++i)
            if ((static_cast<unsigned char>(before[i]) & 0xc0) != 0x80) pad += before[i] == '\t' ? '\t' : ' ';
        out += "\n    " + pad + "^";
    }
    return out;
}

}  // namespace tools
