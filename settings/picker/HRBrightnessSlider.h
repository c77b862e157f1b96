#pragma once
// The bar that sets the brightness of the picked color: a gradient from the
// hue at full brightness (left) down to the lower limit (right), with a knob.

#include <memory>
#include <optional>

#include "platform/uikit/controls/UIControl.h"
#include "platform/uikit/layers/CAGradientLayer.h"
#include "settings/picker/HRBrightnessCursor.h"

// What the picker asks of its brightness slider; an owner may install any control offering it.
class HRBrightnessSliderProtocol {
public:
    virtual ~HRBrightnessSliderProtocol() = default;
    virtual std::shared_ptr<uikit::UIControl> control() = 0;
    virtual std::optional<double> brightness() const = 0;
    virtual std::optional<uikit::UIColor> color() const = 0;
    virtual void setColor(const uikit::UIColor& color) = 0;
};

class HRBrightnessSlider : public uikit::UIControl, public HRBrightnessSliderProtocol {
public:
    explicit HRBrightnessSlider(const uikit::CGRect& frame = uikit::CGRectZero);

    std::shared_ptr<uikit::UIControl> control() override;
    std::optional<double> brightness() const override { return _brightness; }
    // The last color given, at the slider's brightness; nullopt before the first.
    std::optional<uikit::UIColor> color() const override;
    // Takes hue, saturation and brightness; sends no event.
    void setColor(const uikit::UIColor& color) override;
    std::optional<double> brightnessLowerLimit() const { return _brightnessLowerLimit; }
    void setBrightnessLowerLimit(std::optional<double> limit);

    // The frame is the bar grown by 20 points left and right and 10 above and below.
    uikit::UIEdgeInsets alignmentRectInsets() const override { return {10, 20, 10, 20}; }
    const uikit::CGRect& controlFrame() const { return _controlFrame; }
    const uikit::CGRect& renderingFrame() const { return _renderingFrame; }
    const std::shared_ptr<uikit::CAGradientLayer>& sliderLayer() const { return _sliderLayer; }
    const std::shared_ptr<HRBrightnessCursor>& brightnessCursor() const { return _brightnessCursor; }

    // Brightness for `point`'s x: 1 at the left end of the control frame, the lower limit at the right.
    void update(uikit::CGPoint point);

protected:
    void layoutSubviews() override;

private:
    double lowerLimit() const;
    void updateCursor();
    void handleTap(uikit::UIGestureRecognizer& recognizer);
    void handlePan(uikit::UIGestureRecognizer& recognizer);

    std::shared_ptr<HRBrightnessCursor> _brightnessCursor;
    std::shared_ptr<uikit::CAGradientLayer> _sliderLayer;
    std::optional<double> _brightness;
    std::optional<uikit::UIColor> _color;
    std::optional<double> _brightnessLowerLimit;
    uikit::CGRect _controlFrame, _renderingFrame;
};
