#include "settings/picker/HRBrightnessCursor.h"

#include <cmath>
#include <string>

using namespace uikit;

HRBrightnessCursor::HRBrightnessCursor() : HRRoundCursor(CGPoint{}) {
    _brightnessLabel = std::make_shared<UILabel>(CGRectMake(0, 0, 40, 16));
    _brightnessLabel->setCenter({bounds().size.width / 2 + 2, -20});
    _brightnessLabel->setBackgroundColor(colors::clearColor);
    _brightnessLabel->setOpaque(false);
    _brightnessLabel->setTextAlignment(NSTextAlignment::Center);
    addSubview(_brightnessLabel);
    applyLook(false, 0);
}

void HRBrightnessCursor::setColor(const UIColor& color) {
    _color = color;
    paintDisc(color);
    double v = 0;
    getHue(color, nullptr, nullptr, &v, nullptr);
    // Rounded: 0.29 × 100 is a hair below 29 in binary and must still read 29.
    const std::string number = std::to_string(int(std::lround(v * 100)));
    const UIColor gray = colorWithWhite(0.5, 1);
    NSAttributedString text(number, UIFont::systemFontOfSize(14), gray);
    text.append(NSAttributedString("%", UIFont::systemFontOfSize(12), gray));
    _brightnessLabel->setAttributedText(text);
}

void HRBrightnessCursor::applyLook(bool editing, double duration) {
    HRRoundCursor::applyLook(editing, duration);
    // The label rises while it fades in and sinks while it fades out.
    auto look = [this, editing] {
        _brightnessLabel->setAlpha(editing ? 1 : 0);
        _brightnessLabel->setTransform(editing ? CGAffineTransformIdentity : CGAffineTransformMakeTranslation(0, 10));
    };
    if (duration > 0) {
        UIView::animateWithDuration(duration, look);
    } else {
        _brightnessLabel->layer()->removeAnimations();
        UIView::performWithoutAnimation(look);
    }
}
