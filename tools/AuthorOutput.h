#pragma once
// What a theme author sees of a script beside its result: the lines it
// logged, and where in its source an error happened.

#include <optional>
#include <string>
#include <vector>

#include "platform/webview/WebView.h"

namespace tools {

// `text` as a JavaScript string literal, safe to splice into a script.
std::string jsStringLiteral(const std::string& text);

// Each line on stderr as "[state] console.log: text".
void printConsole(const std::string& state, const std::vector<std::string>& lines);
// Until the returned guard ends, every evaluation's console lines in this
// process go to stderr prefixed with whatever `state` holds then.
class ConsoleToStderr {
public:
    explicit ConsoleToStderr(const std::string& state);
    ~ConsoleToStderr();
    ConsoleToStderr(const ConsoleToStderr&) = delete;
    ConsoleToStderr& operator=(const ConsoleToStderr&) = delete;
};

// Where a theme's evaluation failed, in the theme file's own lines and columns (from 1).
struct ScriptError {
    std::string message;  // "SyntaxError: Unexpected token ';'"
    int line = 0, column = 0;
};
// Evaluates `call`, the theme call built from `script`, again so that the
// error's position can be read, in a fresh page of `page`; nullopt when it
// does not fail this time.
std::optional<ScriptError> locateError(webview::UIWebView& page, const std::string& call);
// A syntax error at `line` of `script`; its column is where the token the
// message names ("Unexpected token ';'") first appears on that line, else 0.
ScriptError syntaxErrorAt(const std::string& message, int line, const std::string& script);
// "line 3, column 12: message", then the source line and a caret under the column.
std::string describeError(const ScriptError& error, const std::string& script);

}  // namespace tools
