#include "platform/webview/ScriptPages.h"

#include <vector>

#include "platform/webview/JSUtil.h"
#include "platform/webview/PageGlobals.h"
#include "platform/webview/ThemeCall.h"

// Exported by JavaScriptCore, not declared in its public headers.
extern "C" {
typedef bool (*JSShouldTerminateCallback)(JSContextRef ctx, void* context);
void JSContextGroupSetExecutionTimeLimit(JSContextGroupRef group, double limit, JSShouldTerminateCallback callback,
                                         void* context);
void JSContextGroupClearExecutionTimeLimit(JSContextGroupRef group);
}

namespace webview {
namespace {

// A data URL of the largest canvas is far below this.
constexpr size_t kMaxResultLength = 64u << 20;

}  // namespace

ScriptPages::ScriptPages() : group_(JSContextGroupCreate()) {}

ScriptPages::~ScriptPages() {
    for (auto& [id, page] : pages_) JSGlobalContextRelease(page);
    if (spare_) JSGlobalContextRelease(spare_);
    for (JSGlobalContextRef page : retired_) JSGlobalContextRelease(page);
    JSContextGroupRelease(group_);
}

JSGlobalContextRef ScriptPages::newPage() {
    JSGlobalContextRef page = JSGlobalContextCreateInGroup(group_, nullptr);
    installPage(page);
    return page;
}

void ScriptPages::prepareSparePage() {
    for (JSGlobalContextRef page : retired_) JSGlobalContextRelease(page);
    retired_.clear();
    if (!spare_) spare_ = newPage();
}

void ScriptPages::close(std::uint32_t page) {
    auto it = pages_.find(page);
    if (it == pages_.end()) return;
    JSGlobalContextRelease(it->second);
    pages_.erase(it);
}

// A block keeps the script's let, const and class declarations out of the
// global scope; the completion value is the same.
JSValueRef ScriptPages::evaluateInBlock(JSGlobalContextRef page, std::string_view script, JSValueRef& exception) {
    JSStringRef source = js::createString("{" + std::string(script) + "\n}");
    JSValueRef value = JSEvaluateScript(page, source, nullptr, nullptr, 1, &exception);
    JSStringRelease(source);
    return value;
}

// A theme's function is the same text on every redraw and only its arguments
// change: evaluated apart, the function's compiled code is found in the
// engine's cache instead of being compiled anew (a third of a small icon's
// cost). The value is what evaluating the whole call gives.
bool ScriptPages::evaluateThemeCall(JSGlobalContextRef page, const std::string& script, JSValueRef& value,
                                    JSValueRef& exception) {
    const auto call = splitThemeCall(script);
    if (!call) return false;
    if (call->function != checkedFunction_) {
        // Parses inside brackets only when the outer parentheses enclose one
        // expression, "(function(){}) || (g)" does not.
        JSStringRef inner =
            js::createString("[" + std::string(call->function.substr(1, call->function.size() - 2)) + "\n]");
        const bool whole = JSCheckScriptSyntax(page, inner, nullptr, 1, nullptr);
        JSStringRelease(inner);
        if (!whole) return false;
        checkedFunction_ = std::string(call->function);
    }
    JSValueRef function = evaluateInBlock(page, call->function, exception);
    if (exception) return true;
    JSObjectRef callable = JSValueIsObject(page, function) ? JSValueToObject(page, function, nullptr) : nullptr;
    if (!callable || !JSObjectIsFunction(page, callable)) return false;
    // Through Function.prototype.call, so `this` is undefined as in the call expression.
    JSValueRef invoke = js::property(page, callable, "call", &exception);
    if (exception) return true;
    if (!JSValueIsObject(page, invoke) || !JSObjectIsFunction(page, JSValueToObject(page, invoke, nullptr))) return false;
    std::vector<JSValueRef> arguments{JSValueMakeUndefined(page)};
    for (const auto& a : call->arguments) {
        using Kind = ThemeCall::Argument::Kind;
        if (a.kind == Kind::Number) arguments.push_back(JSValueMakeNumber(page, a.values[0]));
        else if (a.kind == Kind::Boolean) arguments.push_back(JSValueMakeBoolean(page, a.values[0] != 0));
        else {
            std::vector<JSValueRef> numbers;
            for (double v : a.values) numbers.push_back(JSValueMakeNumber(page, v));
            arguments.push_back(JSObjectMakeArray(page, numbers.size(), numbers.data(), &exception));
            if (exception) return true;
        }
    }
    value = JSObjectCallAsFunction(page, JSValueToObject(page, invoke, nullptr), callable, arguments.size(),
                                   arguments.data(), &exception);
    return true;
}

bool ScriptPages::shouldTerminate(JSContextRef, void* self) {
    static_cast<ScriptPages*>(self)->timedOut_ = true;
    return true;
}

std::string ScriptPages::evaluate(std::uint32_t id, bool fresh, const std::string& script, double limitSeconds,
                                  EvaluationOutcome& outcome) {
    if (fresh) {
        // Let go of after the reply: releasing a page may start a collection.
        if (auto it = pages_.find(id); it != pages_.end()) retired_.push_back(it->second), pages_.erase(it);
    }
    JSGlobalContextRef& page = pages_[id];
    if (!page) {
        page = spare_ ? spare_ : newPage();
        spare_ = nullptr;
    }
    outcome = EvaluationOutcome{};
    timedOut_ = false;
    JSContextGroupSetExecutionTimeLimit(group_, limitSeconds, shouldTerminate, this);

    JSValueRef exception = nullptr;
    JSValueRef value = nullptr;
    if (!evaluateThemeCall(page, script, value, exception)) value = evaluateInBlock(page, script, exception);
    // A thrown object's toString and line getter are page script too: they run
    // under the same limit.
    if (exception && !timedOut_) {
        outcome.kind = EvaluationOutcome::Kind::Exception;
        outcome.message = js::toUTF8(page, exception, nullptr).substr(0, 4096);
        if (JSValueIsObject(page, exception)) {
            JSValueRef line = js::property(page, JSValueToObject(page, exception, nullptr), "line");
            if (line && JSValueIsNumber(page, line)) outcome.line = int(JSValueToNumber(page, line, nullptr));
        }
    }
    JSContextGroupClearExecutionTimeLimit(group_);

    if (timedOut_) {
        outcome = EvaluationOutcome{};
        outcome.kind = EvaluationOutcome::Kind::Timeout;
        outcome.message = "ran longer than " + std::to_string(long(limitSeconds * 1000 + 0.5)) + " ms and was stopped";
        close(id);  // its state is whatever the script had reached
        return "";
    }
    if (exception) return "";
    if (!value || !JSValueIsString(page, value)) {
        outcome.kind = EvaluationOutcome::Kind::NotAString;
        switch (value ? JSValueGetType(page, value) : kJSTypeUndefined) {
        case kJSTypeUndefined: outcome.message = "undefined"; break;
        case kJSTypeNull: outcome.message = "null"; break;
        case kJSTypeBoolean: outcome.message = "a boolean"; break;
        case kJSTypeNumber: outcome.message = "a number"; break;
        case kJSTypeSymbol: outcome.message = "a symbol"; break;
        default: outcome.message = "an object"; break;
        }
        return "";
    }
    if (JSStringRef text = JSValueToStringCopy(page, value, nullptr)) {
        const bool tooLong = JSStringGetLength(text) > kMaxResultLength;
        std::string result = tooLong ? std::string() : js::toUTF8(text);
        JSStringRelease(text);
        if (!tooLong) return result;
    }
    outcome.kind = EvaluationOutcome::Kind::Stopped;
    outcome.message = "returned a string longer than any image could need";
    return "";
}

}  // namespace webview
