#pragma once
// The color picker put together: a color map, a brightness slider and an info
// view below a header, kept consistent with one HSV color, over a faint tint of
// that color. Reports changes as value-changed events, at most one per 66.666 ms.

#include <memory>

#include "platform/uikit/controls/UIControl.h"
#include "settings/picker/HRBrightnessSlider.h"
#include "settings/picker/HRColorInfoView.h"
#include "settings/picker/HRColorMapView.h"
#include "settings/picker/HSVColor.h"

class HRColorPickerView : public uikit::UIControl {
public:
    explicit HRColorPickerView(const uikit::CGRect& frame = uikit::CGRectZero);
    ~HRColorPickerView() override;

    // Opaque, from the current hue, saturation and brightness.
    uikit::UIColor color() const { return colorFromHSV(_currentHsvColor); }
    // Sends no event itself; the map's own event reaches the owner.
    void setColor(const uikit::UIColor& color);
    // Sends a change held back by the event spacing now; nothing when none is held.
    void reportPendingChange() {
        if (pendingReport_) report();
    }

    // Each getter makes and adds a default part when there is none. The setters
    // wire the part up but leave adding it as a subview to the caller.
    std::shared_ptr<HRColorInfoViewProtocol> colorInfoView();
    void setColorInfoView(std::shared_ptr<HRColorInfoViewProtocol> view);
    std::shared_ptr<HRColorMapViewProtocol> colorMapView();
    void setColorMapView(std::shared_ptr<HRColorMapViewProtocol> view);
    std::shared_ptr<HRBrightnessSliderProtocol> brightnessSlider();
    void setBrightnessSlider(std::shared_ptr<HRBrightnessSliderProtocol> slider);

    // The header's height in units of 64 points; 0 is the default header.
    float headerHeightModifier() const { return _headerHeightModifier; }
    void setHeaderHeightModifier(float modifier) { _headerHeightModifier = modifier; }

    const uikit::UIViewPtr& colorBGView() const { return _colorBGView; }
    int layoutPassCount() const { return layout_; }

protected:
    void layoutSubviews() override;

private:
    std::weak_ptr<HRColorPickerView> weakSelf();
    void colorMapColorChanged();
    void brightnessChanged();
    // Sends value changed unless the last one was sent within the spacing; a
    // change held back that way is sent when the spacing has passed.
    void sendActions();
    void report();

    uikit::UIViewPtr _colorBGView;
    std::shared_ptr<HRColorInfoViewProtocol> _colorInfoView;
    std::shared_ptr<HRColorMapViewProtocol> _colorMapView;
    std::shared_ptr<HRBrightnessSliderProtocol> _brightnessSlider;
    HSVComponents _currentHsvColor;
    double _lastDrawTime = 0;  // UI clock seconds
    double _waitTimeDuration = 0.066666;
    int pendingReport_ = 0;  // clock token of a held-back event
    bool layoutComplete_ = false;
    int layout_ = 0;
    uikit::CGSize completedSize_;
    float _headerHeightModifier = 0;
};
