#include "settings/preview/QVAXBatteryRenderer.h"

#include "common/ImageTransforms.h"
#include "common/ThemeCall.h"
#include "common/ThemeResult.h"
#include "common/ThemeSignature.h"
#include "platform/webview/WebView.h"

namespace {

webview::UIWebView& evaluator() {
    static webview::UIWebView* page = new webview::UIWebView();
    return *page;
}

}  // namespace

graphics::Image QVAXBatteryRenderer::renderBatteryImageWithSettings(const RenderSettings& s, int) {
    return renderOnPage(evaluator(), s);
}

std::string QVAXBatteryRenderer::failureOf(const webview::EvaluationOutcome& outcome) {
    if (outcome.kind == webview::EvaluationOutcome::Kind::String) return "the result is not a PNG data URL";
    const std::string why = outcome.describe();
    return why.empty() ? "the theme gave no image" : why;
}

graphics::Image QVAXBatteryRenderer::renderOnPage(webview::UIWebView& page, const RenderSettings& s) {
    const double scale = graphics::mainScreenScale();
    page.loadHTMLString("");
    auto list = ThemeSignature::findParameterList(s.script);
    if (!list) return nullptr;
    // Unlike the engine, any list gets a call so a preview shows even a theme
    // the engine refuses: up to six names five arguments, seven or more seven.
    const ThemeCall::Arguments arguments{s.height * scale, s.level, s.charging, s.low, s.lpm, s.color, s.baseColor};
    const std::string call = list->commas > 5 ? ThemeCall::sevenParameterCall(s.script, arguments)
                                              : ThemeCall::fiveParameterCall(s.script, arguments);
    const std::string result = page.stringByEvaluatingJavaScriptFromString(call);
    graphics::Image image = result.empty() ? nullptr : ThemeResult::imageFromResult(result, scale);
    if (s.flipX && s.flipY) return Flipping::flippedImageByAxis(image, 2);
    if (s.flipX) return Flipping::flippedImageByAxis(image, 0);
    if (s.flipY) return Flipping::flippedImageByAxis(image, 1);
    return image;
}

const webview::EvaluationOutcome& QVAXBatteryRenderer::lastEvaluation() { return evaluator().lastOutcome(); }
