#pragma once
// The renders `check` and `watch` make of a theme: once in each state, timed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/webview/WebView.h"
#include "tools/AuthorOutput.h"
#include "tools/ThemeSource.h"

namespace tools {

struct StateRender {
    std::string label;  // "charging 57%"
    double ms = 0;
    int width = 0, height = 0;  // pixels, when it gave an image
    bool ok = false;
    std::string why;                   // when it did not
    std::optional<ScriptError> error;  // where the script failed, when it threw
};

// Renders `script` of theme type `type` (1 or 2) in each state at `scale`, with
// the colors the preferences root's settings decide; what the theme logs goes
// to stderr prefixed with the state. Problems a theme author should fix are
// added to `warnings`.
// `level` is the level of the normal, charging and low-power renders.
std::vector<StateRender> renderStates(const std::string& script, std::int64_t type, double scale,
                                      webview::UIWebView& page, std::vector<std::string>& warnings, int level = 57);

// One line per render, as "  normal 57%       ok        3.1 ms  52 x 40 px", an
// error with its line, column and a caret under the source; the number that failed.
int printStateRenders(const std::vector<StateRender>& renders, const std::string& script);

}  // namespace tools
