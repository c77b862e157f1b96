#pragma once
// The pages a worker keeps, one per client web view, and the evaluation of a
// script in one of them. Runs inside the worker only.

#include <JavaScriptCore/JavaScript.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/webview/WebView.h"

namespace webview {

class ScriptPages {
public:
    ScriptPages();
    ~ScriptPages();
    ScriptPages(const ScriptPages&) = delete;
    ScriptPages& operator=(const ScriptPages&) = delete;

    // `fresh`: the page is replaced by a new one first, so nothing an earlier
    // script left (globals, changed built-ins or canvas prototypes) is seen.
    std::string evaluate(std::uint32_t page, bool fresh, const std::string& script, double limitSeconds,
                         EvaluationOutcome& outcome);
    void close(std::uint32_t page);
    // Builds the next fresh page ahead of time and lets go of replaced ones,
    // while no one is waiting.
    void prepareSparePage();

private:
    JSGlobalContextRef newPage();
    static JSValueRef evaluateInBlock(JSGlobalContextRef page, std::string_view script, JSValueRef& exception);
    // False when `script` is not a theme call or not one that can be split.
    bool evaluateThemeCall(JSGlobalContextRef page, const std::string& script, JSValueRef& value,
                           JSValueRef& exception);
    static bool shouldTerminate(JSContextRef, void* self);

    JSContextGroupRef group_;
    std::map<std::uint32_t, JSGlobalContextRef> pages_;
    JSGlobalContextRef spare_ = nullptr;
    std::vector<JSGlobalContextRef> retired_;
    bool timedOut_ = false;
    std::string checkedFunction_;  // the last theme function found to be one expression
};

}  // namespace webview
