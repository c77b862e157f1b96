#pragma once
// Renders one preview from render settings with the same scripts and call
// strings as the engine, but without its color decision or theme switching.

#include "platform/graphics/Image.h"
#include "settings/preview/RenderSettings.h"

namespace webview {
struct EvaluationOutcome;
}

class QVAXBatteryRenderer {
public:
    // `style` (0 light background, 1 dark) does not change the result.
    static graphics::Image renderBatteryImageWithSettings(const RenderSettings& settings, int style);
    static const webview::EvaluationOutcome& lastEvaluation();
};
