#include "settings/picker/HRColorPickerView.h"

#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;

namespace {

// The picker's height minus the map's: the strip below the map.
constexpr double kBottomMargin = 44;

}  // namespace

HRColorPickerView::HRColorPickerView(const CGRect& frame) : UIControl(frame) {
    setBackgroundColor(colors::whiteColor);
    _lastDrawTime = UIClock::shared().now();
}

HRColorPickerView::~HRColorPickerView() {
    if (pendingReport_) UIClock::shared().cancel(pendingReport_);
}

std::weak_ptr<HRColorPickerView> HRColorPickerView::weakSelf() {
    return std::static_pointer_cast<HRColorPickerView>(weak_from_this().lock());
}

void HRColorPickerView::setColor(const UIColor& color) {
    HSVColorFromUIColor(color, &_currentHsvColor);
    const UIColor current = this->color();
    if (_brightnessSlider) _brightnessSlider->setColor(current);
    if (_colorInfoView) _colorInfoView->setColor(current);
    if (_colorMapView) {
        _colorMapView->setColor(current);
        _colorMapView->setBrightness(_currentHsvColor.v);
    }
}

std::shared_ptr<HRColorInfoViewProtocol> HRColorPickerView::colorInfoView() {
    if (!_colorInfoView) {
        auto view = std::make_shared<HRColorInfoView>();
        view->setColor(color());
        addSubview(view);
        _colorInfoView = view;
    }
    return _colorInfoView;
}

void HRColorPickerView::setColorInfoView(std::shared_ptr<HRColorInfoViewProtocol> view) {
    _colorInfoView = std::move(view);
    if (_colorInfoView) _colorInfoView->setColor(color());
}

std::shared_ptr<HRBrightnessSliderProtocol> HRColorPickerView::brightnessSlider() {
    if (!_brightnessSlider) {
        auto slider = std::make_shared<HRBrightnessSlider>();
        slider->setBrightnessLowerLimit(0.4);
        setBrightnessSlider(slider);
        addSubview(slider);
    }
    return _brightnessSlider;
}

void HRColorPickerView::setBrightnessSlider(std::shared_ptr<HRBrightnessSliderProtocol> slider) {
    _brightnessSlider = std::move(slider);
    if (!_brightnessSlider) return;
    _brightnessSlider->setColor(color());
    auto weak = weakSelf();
    _brightnessSlider->control()->addTarget(
        [weak](UIControl&) {
            if (auto self = weak.lock()) self->brightnessChanged();
        },
        UIControlEventValueChanged);
}

std::shared_ptr<HRColorMapViewProtocol> HRColorPickerView::colorMapView() {
    if (!_colorMapView) {
        auto map = HRColorMapView::colorMapWithFrame(CGRectZero, 0.9);
        map->setTileSize(16);
        map->setBackgroundColor(colors::redColor);
        setColorMapView(map);
        addSubview(map);
    }
    return _colorMapView;
}

void HRColorPickerView::setColorMapView(std::shared_ptr<HRColorMapViewProtocol> view) {
    _colorMapView = std::move(view);
    if (!_colorMapView) return;
    _colorMapView->setBrightness(_currentHsvColor.v);
    // Registered after the color is given, so that giving it reports nothing yet.
    _colorMapView->setColor(color());
    auto weak = weakSelf();
    _colorMapView->control()->addTarget(
        [weak](UIControl&) {
            if (auto self = weak.lock()) self->colorMapColorChanged();
        },
        UIControlEventValueChanged);
}

void HRColorPickerView::colorMapColorChanged() {
    const auto mapColor = colorMapView()->color();
    if (mapColor) HSVColorFromUIColor(*mapColor, &_currentHsvColor);
    const UIColor current = mapColor.value_or(color());
    brightnessSlider()->setColor(current);
    if (_colorBGView) _colorBGView->setBackgroundColor(current);
    colorInfoView()->setColor(color());
    sendActions();
}

void HRColorPickerView::brightnessChanged() {
    if (auto v = brightnessSlider()->brightness()) _currentHsvColor.v = float(*v);
    auto map = colorMapView();
    map->setBrightness(_currentHsvColor.v);
    map->setColor(color());
    colorInfoView()->setColor(color());
    if (_colorBGView) _colorBGView->setBackgroundColor(color());
    sendActions();
}

void HRColorPickerView::sendActions() {
    auto& clock = UIClock::shared();
    const double now = clock.now();
    if (now - _lastDrawTime > _waitTimeDuration) {
        report();
        return;
    }
    // Held back, not dropped: the last color of a fast drag must still reach the owner.
    if (pendingReport_) return;
    auto weak = weakSelf();
    pendingReport_ = clock.schedule(_lastDrawTime + _waitTimeDuration - now, [weak] {
        if (auto self = weak.lock()) {
            self->pendingReport_ = 0;
            self->report();
        }
    });
}

void HRColorPickerView::report() {
    if (pendingReport_) UIClock::shared().cancel(pendingReport_);
    pendingReport_ = 0;
    _lastDrawTime = UIClock::shared().now();
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void HRColorPickerView::layoutSubviews() {
    UIControl::layoutSubviews();
    const CGSize size = frame().size;
    // Once laid out six times the parts stay put, unless the picker itself changed size.
    if (layoutComplete_ && size == completedSize_) return;

    const float header = _headerHeightModifier != 0 ? _headerHeightModifier * 64.0f : 153.6f;
    const double headerHeight = std::lround(header);

    auto map = colorMapView()->control();
    const CGRect mapFrame = CGRectMake(0, headerHeight, size.width, size.height - headerHeight - kBottomMargin);
    map->setFrame(mapFrame);
    foundation::logLine("map frame before: " + NSStringFromCGRect(map->frame()));
    map->setFrame(mapFrame);
    foundation::logLine("map frame after: " + NSStringFromCGRect(map->frame()));

    const double mapTop = map->frame().origin.y;
    auto info = colorInfoView()->view();
    info->setFrame(CGRectMake(8, mapTop - 84 - 18, 66, 84));
    info->setHidden(true);

    auto slider = brightnessSlider()->control();
    slider->setFrame(slider->frameForAlignmentRect(CGRectMake(32, mapTop - 24 - 11, size.width - 64, 11)));

    if (!_colorBGView) {
        _colorBGView = std::make_shared<UIView>();
        _colorBGView->setAlpha(0.08);
        _colorBGView->setUserInteractionEnabled(false);
        addSubview(_colorBGView);
        sendSubviewToBack(_colorBGView.get());
    }
    _colorBGView->setFrame(bounds());
    if (auto mapColor = colorMapView()->color()) _colorBGView->setBackgroundColor(*mapColor);

    if (layout_++ >= 5) layoutComplete_ = true;
    completedSize_ = size;
}
