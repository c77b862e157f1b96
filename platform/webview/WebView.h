#pragma once
// The platform's web view as the engine and the previews use it: load an empty
// page, evaluate a script, get its string value. Scripts run in JavaScriptCore
// with a document, <canvas> and a 2D context drawn by cairo and pango.

#include <JavaScriptCore/JavaScript.h>

#include <chrono>
#include <string>

namespace webview {

// Why an evaluation gave what it gave; the engine only sees the string.
struct EvaluationOutcome {
    enum class Kind { String, Exception, Timeout, NotAString };
    Kind kind = Kind::String;
    std::string message;  // the exception's text, or the type of a non-string value
    int line = 0;         // of the exception, when known
    // One sentence for a person: "TypeError: ... (line 3)", "stopped after 250 ms", ...
    std::string describe() const;
};

class UIWebView {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{250};

    UIWebView();
    ~UIWebView();
    UIWebView(const UIWebView&) = delete;
    UIWebView& operator=(const UIWebView&) = delete;

    // Any page (the HTML is not parsed) starts a clean global scope: nothing a
    // script left there reaches the next evaluation.
    void loadHTMLString(const std::string& html = "", const std::string& baseURL = "");
    // Synchronous. The script's value when it is a string; "" for any other value,
    // an exception, a syntax error or a script stopped at the time limit.
    std::string stringByEvaluatingJavaScriptFromString(const std::string& script);

    void setTimeLimit(std::chrono::milliseconds limit) { limit_ = limit; }
    const EvaluationOutcome& lastOutcome() const { return outcome_; }

private:
    void openPage();
    void closePage();
    static bool shouldTerminate(JSContextRef, void* self);

    JSContextGroupRef group_ = nullptr;
    JSGlobalContextRef page_ = nullptr;
    JSObjectRef reset_ = nullptr;
    bool replacePage_ = false;
    bool timedOut_ = false;
    std::chrono::milliseconds limit_ = kDefaultTimeLimit;
    EvaluationOutcome outcome_;
};

}  // namespace webview
