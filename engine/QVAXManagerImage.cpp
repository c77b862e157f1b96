#include "common/ImageTransforms.h"
#include "common/ThemeResult.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/LenientValues.h"
#include "platform/webview/WebView.h"

namespace {

// One evaluator for the life of the process, created at the first redraw.
webview::UIWebView& evaluator() {
    static webview::UIWebView* page = new webview::UIWebView();
    return *page;
}

}  // namespace

void QVAXManager::switchThemeForLevel(std::int32_t level) {
    if (!_secondaryEnabled) return;
    const foundation::PlistDictionary* s = settings_ ? &*settings_ : nullptr;
    if (level > _secondaryLimit && _usingSecondary) {
        setTheme(_primaryTheme);
        _usingSecondary = false;
        _flipY = foundation::boolForKey(s, "flipY");
        _flipX = foundation::boolForKey(s, "flipX");
    } else if (level <= _secondaryLimit && !_usingSecondary) {
        setTheme(_secondaryTheme);
        _usingSecondary = true;
        _flipY = _flipSecondaryY;
        _flipX = _flipSecondaryX;
    }
}

graphics::Image QVAXManager::batteryImageWithForegoundColor(const graphics::Color& foreground, double height,
                                                            std::int32_t level, bool charging, bool lowMode) {
    if (_useCustomLevel) level = _customLevel;
    const RenderColorSettings colors =
        createBatteryRenderColorSettingsForForegroundColor(foreground, charging, level, lowMode);

    webview::UIWebView& page = evaluator();
    page.loadHTMLString("");
    switchThemeForLevel(level);

    graphics::Image image;
    if (auto call = callStringForLoadedTheme(height, level, charging, lowMode, colors)) {
        const std::string result = page.stringByEvaluatingJavaScriptFromString(*call);
        if (!result.empty()) image = ThemeResult::imageFromResult(result, graphics::mainScreenScale());
    }

    if (_flipY && _flipX) image = Flipping::flippedImageByAxis(image, 2);
    else if (_flipY) image = Flipping::flippedImageByAxis(image, 1);
    else if (_flipX) image = Flipping::flippedImageByAxis(image, 0);
    // Room on the right for the charging symbol the status bar draws there.
    if (charging && _showChargeSymbol) image = Padding::imageWithRightPadding(image, 7.0);
    return image;
}

const webview::EvaluationOutcome& QVAXManager::lastEvaluation() { return evaluator().lastOutcome(); }
