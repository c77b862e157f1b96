#include "settings/picker/HRBrightnessSlider.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/events/UIPanGestureRecognizer.h"
#include "platform/uikit/events/UITapGestureRecognizer.h"
#include "platform/uikit/layers/CATransaction.h"
#include "settings/picker/HSVColor.h"

using namespace uikit;

HRBrightnessSlider::HRBrightnessSlider(const CGRect& frame) : UIControl(frame) {
    _sliderLayer = CAGradientLayer::layer();
    _sliderLayer->setStartPoint({0, 0.5});
    _sliderLayer->setEndPoint({1, 0.5});
    layer()->addSublayer(_sliderLayer);
    setBackgroundColor(colors::clearColor);
    setOpaque(false);
    // The view owns its recognizers, so they never outlive it.
    addGestureRecognizer(std::make_shared<UITapGestureRecognizer>([this](UIGestureRecognizer& r) { handleTap(r); }));
    addGestureRecognizer(std::make_shared<UIPanGestureRecognizer>([this](UIGestureRecognizer& r) { handlePan(r); }));
    _brightnessCursor = std::make_shared<HRBrightnessCursor>();
    addSubview(_brightnessCursor);
}

std::shared_ptr<UIControl> HRBrightnessSlider::control() {
    return std::static_pointer_cast<UIControl>(weak_from_this().lock());
}

double HRBrightnessSlider::lowerLimit() const {
    const double limit = _brightnessLowerLimit.value_or(0);
    return std::isfinite(limit) ? std::clamp(limit, 0.0, 1.0) : 0;
}

std::optional<UIColor> HRBrightnessSlider::color() const {
    if (!_color) return std::nullopt;
    HSVComponents hsv;
    HSVColorFromUIColor(*_color, &hsv);
    return colorFromHSV(hsv.h, hsv.s, _brightness.value_or(hsv.v));
}

void HRBrightnessSlider::setColor(const UIColor& color) {
    _color = color;
    HSVComponents hsv;
    HSVColorFromUIColor(color, &hsv);
    _brightness = hsv.v;
    updateCursor();
    CATransaction::begin();
    CATransaction::setDisableActions(true);
    _sliderLayer->setColors({colorFromHSV(hsv.h, hsv.s, 1), colorFromHSV(hsv.h, hsv.s, float(lowerLimit()))});
    CATransaction::commit();
}

void HRBrightnessSlider::setBrightnessLowerLimit(std::optional<double> limit) {
    _brightnessLowerLimit = limit;
    updateCursor();
}

void HRBrightnessSlider::layoutSubviews() {
    UIControl::layoutSubviews();
    const CGSize size = frame().size;
    // A slider narrower or lower than its insets keeps an empty bar.
    _renderingFrame = CGRectMake(20, 10, std::max(size.width - 40, 0.0), std::max(size.height - 20, 0.0));
    _controlFrame = _renderingFrame;
    _controlFrame.origin.x += 8;
    _controlFrame.size.width = std::max(_renderingFrame.size.width - 16, 0.0);
    _brightnessCursor->setCenter({_controlFrame.origin.x, CGRectGetMidY(_controlFrame)});
    _sliderLayer->setCornerRadius(_renderingFrame.size.height * 0.5);
    _sliderLayer->setFrame(_renderingFrame);
    updateCursor();
}

void HRBrightnessSlider::update(CGPoint point) {
    const double x0 = _controlFrame.origin.x, w = _controlFrame.size.width, limit = lowerLimit();
    const double d = std::max(std::min(point.x - x0, w), 0.0);
    const double travelled = w > 0 ? d / w : 0;
    _brightness = std::clamp((1 - travelled) * (1 - limit) + limit, 0.0, 1.0);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void HRBrightnessSlider::updateCursor() {
    if (!_brightness) return;
    const float limit = float(lowerLimit());
    // With the limit at 1 every brightness is the left end.
    const float p = limit < 1 ? 1 - (float(*_brightness) - limit) / (1 - limit) : 0;
    if (p < 0 || !std::isfinite(p)) return;
    CGPoint center = _brightnessCursor->center();
    center.x = p * _controlFrame.size.width + _controlFrame.origin.x;
    _brightnessCursor->setCenter(center);
    if (auto c = color()) _brightnessCursor->setColor(*c);
}

void HRBrightnessSlider::handleTap(UIGestureRecognizer& recognizer) {
    if (recognizer.state() != UIGestureRecognizerState::Ended) return;
    update(recognizer.locationInView(this));
    updateCursor();
}

void HRBrightnessSlider::handlePan(UIGestureRecognizer& recognizer) {
    const auto state = recognizer.state();
    if (state != UIGestureRecognizerState::Changed && state != UIGestureRecognizerState::Ended) return;
    if (recognizer.numberOfTouches() > 0) {
        update(recognizer.locationOfTouch(0, this));
        updateCursor();
        _brightnessCursor->setEditing(true);
    } else {
        _brightnessCursor->setEditing(false);
    }
}
