#include "platform/webview/WebView.h"

#include <cairo.h>

#include <cstring>

#include "platform/foundation/Base64.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/webview/WorkerClient.h"

namespace webview {
namespace {

// The worker sent what the result's PNG decodes to: remember it, so turning
// the result into an image does not decode the PNG again.
void rememberPixels(const worker::Reply& reply) {
    if (reply.pixels.empty()) return;
    const auto marker = reply.value.find("base64,");
    if (marker == std::string::npos) return;
    auto png = foundation::base64DecodeStrict(std::string_view(reply.value).substr(marker + 7));
    if (!png) return;
    const int w = int(reply.width), h = int(reply.height);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const int stride = cairo_image_surface_get_stride(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < h; ++y) std::memcpy(data + size_t(y) * stride, &reply.pixels[size_t(y) * w * 4], size_t(w) * 4);
        cairo_surface_mark_dirty(surface);
        graphics::rememberDecodedPNG(*png, surface);
    }
    cairo_surface_destroy(surface);
}

}  // namespace

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

void UIWebView::prewarm() { WorkerClient::shared().prepare(); }

UIWebView::UIWebView() : page_(WorkerClient::shared().newPageId()) { prewarm(); }

UIWebView::~UIWebView() { WorkerClient::shared().closePage(page_); }

void UIWebView::loadHTMLString(const std::string&, const std::string&) { fresh_ = true; }

std::string UIWebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    outcome_ = EvaluationOutcome{};
    if (script.size() > kMaxScriptBytes) {
        outcome_.kind = EvaluationOutcome::Kind::Stopped;
        outcome_.message = "is longer than 1 MiB and was not run";
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
    rememberPixels(reply);
    return std::move(reply.value);
}

}  // namespace webview
