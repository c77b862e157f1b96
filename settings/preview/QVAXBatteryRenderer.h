#pragma once
// Renders one preview from render settings with the same scripts and call
// strings as the engine, but without its color decision or theme switching.

#include <string>

#include "platform/graphics/Image.h"
#include "settings/preview/RenderSettings.h"

namespace webview {
struct EvaluationOutcome;
}

namespace webview {
class UIWebView;
}

class QVAXBatteryRenderer {
public:
    // `style` (0 light background, 1 dark) does not change the result.
    static graphics::Image renderBatteryImageWithSettings(const RenderSettings& settings, int style);
    static const webview::EvaluationOutcome& lastEvaluation();

    // The same render in `page`, for a thread with a page of its own.
    static graphics::Image renderOnPage(webview::UIWebView& page, const RenderSettings& settings);
    // Why a render with this outcome gave no image, in one line for a person.
    static std::string failureOf(const webview::EvaluationOutcome& outcome);
};
