#include "platform/webview/WebView.h"

#include "platform/webview/WorkerClient.h"

namespace webview {

std::string EvaluationOutcome::describe() const {
    switch (kind) {
    case Kind::String:
        return message.empty() ? "the script returned a string" : message;
    case Kind::Exception:
        return line > 0 ? message + " (line " + std::to_string(line) + ")" : message;
    case Kind::Timeout:
    case Kind::Stopped:
        return "the script " + message;
    case Kind::NotAString:
        return "the script returned " + message + ", not a string";
    }
    return message;
}

namespace {
UIWebView::ConsoleObserver& consoleObserver() {
    static UIWebView::ConsoleObserver observer;
    return observer;
}
UIWebView::EvaluationObserver& evaluationObserver() {
    static UIWebView::EvaluationObserver observer;
    return observer;
}
}  // namespace

void UIWebView::setEvaluationObserver(EvaluationObserver observer) { evaluationObserver() = std::move(observer); }

void UIWebView::setConsoleObserver(ConsoleObserver observer) { consoleObserver() = std::move(observer); }

void UIWebView::prewarm() { WorkerClient::shared().prepare(); }

void UIWebView::setReadyObserver(std::function<void()> ready) { WorkerClient::shared().setReadyObserver(std::move(ready)); }

UIWebView::UIWebView() : page_(WorkerClient::shared().newPageId()) { prewarm(); }

UIWebView::~UIWebView() { WorkerClient::shared().closePage(page_); }

void UIWebView::loadHTMLString(const std::string&, const std::string&) { fresh_ = true; }

std::string UIWebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    outcome_ = EvaluationOutcome{};
    console_.clear();
    if (script.size() > kMaxScriptBytes) {
        outcome_.kind = EvaluationOutcome::Kind::Stopped;
        outcome_.message = "is longer than 1 MiB and was not run";
        if (evaluationObserver()) evaluationObserver()(script, outcome_);
        return "";
    }
    worker::Request request;
    request.page = page_;
    request.freshPage = fresh_;
    request.limitMs = std::uint32_t(limit_.count());
    request.script = script;
    fresh_ = false;
    worker::Reply reply = WorkerClient::shared().evaluate(request, limit_ + kHardDeadlineMargin, memoryLimit_);
    outcome_ = std::move(reply.outcome);
    console_ = std::move(reply.console);
    if (!console_.empty() && consoleObserver()) consoleObserver()(script, console_);
    if (evaluationObserver()) evaluationObserver()(script, outcome_);
    return std::move(reply.value);
}

}  // namespace webview
