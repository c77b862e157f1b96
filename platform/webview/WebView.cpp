#include "platform/webview/WebView.h"

#include "platform/webview/JSUtil.h"
#include "platform/webview/PagePrelude.h"

// Exported by JavaScriptCore, not declared in its public headers.
extern "C" {
typedef bool (*JSShouldTerminateCallback)(JSContextRef ctx, void* context);
void JSContextGroupSetExecutionTimeLimit(JSContextGroupRef group, double limit, JSShouldTerminateCallback callback,
                                         void* context);
void JSContextGroupClearExecutionTimeLimit(JSContextGroupRef group);
}

namespace webview {

std::string EvaluationOutcome::describe() const {
    switch (kind) {
    case Kind::String:
        return message.empty() ? "the script returned a string" : message;
    case Kind::Exception:
        return line > 0 ? message + " (line " + std::to_string(line) + ")" : message;
    case Kind::Timeout:
        return "the script " + message;
    case Kind::NotAString:
        return "the script returned " + message + ", not a string";
    }
    return message;
}

UIWebView::UIWebView() : group_(JSContextGroupCreate()) {}

UIWebView::~UIWebView() {
    closePage();
    JSContextGroupRelease(group_);
}

void UIWebView::openPage() {
    page_ = JSGlobalContextCreateInGroup(group_, nullptr);
    reset_ = installPage(page_);
    if (reset_) JSValueProtect(page_, reset_);
    replacePage_ = false;
}

void UIWebView::closePage() {
    if (!page_) return;
    if (reset_) JSValueUnprotect(page_, reset_);
    JSGlobalContextRelease(page_);
    page_ = nullptr;
    reset_ = nullptr;
}

void UIWebView::loadHTMLString(const std::string&, const std::string&) {
    if (page_ && !replacePage_ && reset_) {
        // Cleaning the global scope is far cheaper than a new page; when it
        // cannot be done fully (a `var` the script declared), start over.
        JSValueRef exception = nullptr;
        JSValueRef clean = JSObjectCallAsFunction(page_, reset_, nullptr, 0, nullptr, &exception);
        if (!exception && clean && JSValueToBoolean(page_, clean)) return;
    }
    closePage();
    openPage();
}

bool UIWebView::shouldTerminate(JSContextRef, void* self) {
    static_cast<UIWebView*>(self)->timedOut_ = true;
    return true;
}

std::string UIWebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    if (!page_) openPage();
    outcome_ = EvaluationOutcome{};
    timedOut_ = false;
    JSContextGroupSetExecutionTimeLimit(group_, limit_.count() / 1000.0, shouldTerminate, this);

    // A block keeps the script's let, const and class declarations out of the
    // global scope; the completion value is the same.
    JSStringRef source = js::createString("{" + script + "\n}");
    JSValueRef exception = nullptr;
    JSValueRef value = JSEvaluateScript(page_, source, nullptr, nullptr, 1, &exception);
    JSStringRelease(source);
    JSContextGroupClearExecutionTimeLimit(group_);

    if (timedOut_) {
        outcome_.kind = EvaluationOutcome::Kind::Timeout;
        outcome_.message = "ran longer than " + std::to_string(limit_.count()) + " ms and was stopped";
        replacePage_ = true;  // its state is whatever the script had reached
        return "";
    }
    if (exception) {
        outcome_.kind = EvaluationOutcome::Kind::Exception;
        outcome_.message = js::toUTF8(page_, exception, nullptr);
        if (JSValueIsObject(page_, exception)) {
            JSValueRef line = js::property(page_, JSValueToObject(page_, exception, nullptr), "line");
            if (line && JSValueIsNumber(page_, line)) outcome_.line = int(JSValueToNumber(page_, line, nullptr));
        }
        return "";
    }
    if (!value || !JSValueIsString(page_, value)) {
        outcome_.kind = EvaluationOutcome::Kind::NotAString;
        switch (value ? JSValueGetType(page_, value) : kJSTypeUndefined) {
        case kJSTypeUndefined: outcome_.message = "undefined"; break;
        case kJSTypeNull: outcome_.message = "null"; break;
        case kJSTypeBoolean: outcome_.message = "a boolean"; break;
        case kJSTypeNumber: outcome_.message = "a number"; break;
        case kJSTypeSymbol: outcome_.message = "a symbol"; break;
        default: outcome_.message = "an object"; break;
        }
        return "";
    }
    return js::toUTF8(page_, value, nullptr);
}

}  // namespace webview
