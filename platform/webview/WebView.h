#pragma once
// The platform's web view as the engine and the previews use it: load an empty
// page, evaluate a script, get its string value. Scripts run in a worker
// process of their own (JavaScriptCore, a document, <canvas> and a 2D context
// drawn by cairo and pango), so no script can freeze, exhaust or change the
// process that asks.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace webview {

// Why an evaluation gave what it gave; the engine only sees the string.
struct EvaluationOutcome {
    enum class Kind { String, Exception, Timeout, NotAString, Stopped };
    Kind kind = Kind::String;
    std::string message;  // the exception's text, or the type of a non-string value
    int line = 0;         // of the exception, when known
    // One sentence for a person: "TypeError: ... (line 3)", "stopped after 250 ms", ...
    std::string describe() const;

    // What an evaluation asked while the evaluator starts gives: no fault of the
    // script's; the process that asked is told when it can draw again.
    static constexpr const char* kEvaluatorStarting = "was not run: the theme worker is still starting";
    bool waitedForEvaluator() const { return kind == Kind::Stopped && message == kEvaluatorStarting; }
};

class UIWebView {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{250};
    // Past the time limit a script is stopped from inside; past this much
    // more, its worker is killed (a script stuck where it cannot be stopped).
    static constexpr std::chrono::milliseconds kHardDeadlineMargin{750};
    static constexpr size_t kDefaultMemoryLimit = size_t(768) << 20;
    // No theme needs more; a longer script is not run.
    static constexpr size_t kMaxScriptBytes = (size_t(1) << 20) + 4096;

    // Starts the evaluator process now, without waiting for it, so that the
    // first evaluation does not pay for its start.
    static void prewarm();
    // For a process that redraws from its main run loop: evaluations made in
    // that loop no longer wait for a starting evaluator (they give "" at once,
    // their outcome says why), and `ready` runs on the loop once it has started
    // after such an evaluation, so the process can draw again.
    static void setReadyObserver(std::function<void()> ready);

    UIWebView();
    ~UIWebView();
    UIWebView(const UIWebView&) = delete;
    UIWebView& operator=(const UIWebView&) = delete;

    // Any page (the HTML is not parsed) gives the next evaluation a new page:
    // nothing a script left there, changed built-ins included, reaches it.
    void loadHTMLString(const std::string& html = "", const std::string& baseURL = "");
    // Synchronous. The script's value when it is a string; "" for any other value,
    // an exception, a syntax error or a script stopped at a limit.
    std::string stringByEvaluatingJavaScriptFromString(const std::string& script);

    void setTimeLimit(std::chrono::milliseconds limit) { limit_ = limit; }
    // The worker's resident size above which it is killed.
    void setMemoryLimit(size_t bytes) { memoryLimit_ = bytes; }
    const EvaluationOutcome& lastOutcome() const { return outcome_; }
    // What the last evaluation's script logged through console.log, info,
    // debug, warn and error, one "console.log: text" per call, at most 64 KiB.
    const std::vector<std::string>& lastConsole() const { return console_; }

    // Told of every evaluation in this process that logged something, with the
    // script evaluated: a process decides where a theme's console goes (by
    // default nowhere, so that no theme can fill a log).
    using ConsoleObserver = std::function<void(const std::string& script, const std::vector<std::string>& lines)>;
    static void setConsoleObserver(ConsoleObserver observer);
    // Told of every evaluation in this process and how it ended, so that a
    // host can say why a theme gave it nothing.
    using EvaluationObserver = std::function<void(const std::string& script, const EvaluationOutcome& outcome)>;
    static void setEvaluationObserver(EvaluationObserver observer);

private:
    std::uint32_t page_;
    bool fresh_ = true;
    std::chrono::milliseconds limit_ = kDefaultTimeLimit;
    size_t memoryLimit_ = kDefaultMemoryLimit;
    EvaluationOutcome outcome_;
    std::vector<std::string> console_;
};

}  // namespace webview
