#include "settings/picker/HRColorCursor.h"

#include "platform/uikit/layers/CATransaction.h"

using namespace uikit;

std::shared_ptr<HRColorCursor> HRColorCursor::colorCursorWithPoint(CGPoint point) {
    return std::make_shared<HRColorCursor>(point);
}

HRColorCursor::HRColorCursor(CGPoint point) : HRRoundCursor(point) { setColor(colors::whiteColor); }

void HRColorCursor::setColor(const UIColor& color) {
    _color = color;
    double saturation = 0, brightness = 0;
    getHue(color, nullptr, &saturation, &brightness, nullptr);
    const bool dark = brightness > 0.7 && saturation < 0.4;
    CATransaction::begin();
    CATransaction::setDisableActions(true);
    _colorLayer->setBackgroundColor(color);
    if (dark != _grayCursor) {
        _backLayer->setBackgroundColor(dark ? colorWithWhite(0, 0.2) : colorWithWhite(1, 0.7));
        _grayCursor = dark;
    }
    CATransaction::commit();
}
