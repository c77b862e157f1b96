#include "settings/picker/QVAXColorPickerViewController.h"

#include <algorithm>
#include <cmath>

#include "common/ColorParsing.h"
#include "platform/foundation/Text.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/services/UIPasteboard.h"
#include "platform/uikit/views/UIScreen.h"
#include "platform/uikit/views/UIWindow.h"
#include "settings/model/HexColorText.h"
#include "settings/preview/DefaultThemeScript.h"
#include "settings/toolkit/FrameAdditions.h"

using namespace uikit;

namespace {

// The page's view tells its controller when it has laid out its subviews.
class PickerPageView : public UIView {
public:
    explicit PickerPageView(std::weak_ptr<QVAXColorPickerViewController> owner)
        : UIView(UIScreen::mainScreen().bounds()), owner_(std::move(owner)) {}

protected:
    void layoutSubviews() override {
        UIView::layoutSubviews();
        if (auto owner = owner_.lock()) owner->viewDidLayoutSubviews();
    }

private:
    std::weak_ptr<QVAXColorPickerViewController> owner_;
};

enum HexButton : long { kHexCancel = 0, kHexSet = 1, kHexCopy = 2, kHexPaste = 3 };

// Whether the codec reads a text's last two digits as alpha: seven or more characters besides a "#".
bool carriesAlpha(const std::string& text) {
    const bool hasHash = text.find('#') != std::string::npos;
    return foundation::utf16Length(text) - (hasHash ? 1 : 0) >= 7;
}

RenderSettings* group(PreviewRenderSettings& bundle, const std::string& name) {
    if (name == "lightSettings") return bundle.lightSettings.get();
    if (name == "darkSettings") return bundle.darkSettings.get();
    return nullptr;
}

void setEntry(RenderSettings& settings, const std::string& key, const UIColor& color) {
    if (key == "color") settings.color = color;
    else if (key == "baseColor") settings.baseColor = color;
}

}  // namespace

QVAXColorPickerViewController::QVAXColorPickerViewController(const UIColor& color, bool fullColor, bool useAlpha)
    : _color(color), _fullColor(fullColor), _useAlpha(useAlpha) {}

std::weak_ptr<QVAXColorPickerViewController> QVAXColorPickerViewController::weakSelf() {
    return std::static_pointer_cast<QVAXColorPickerViewController>(weak_from_this().lock());
}

UIControl::Action QVAXColorPickerViewController::sending(void (QVAXColorPickerViewController::*action)()) {
    return [weak = weakSelf(), action](UIControl&) {
        if (auto self = weak.lock()) ((*self).*action)();
    };
}

void QVAXColorPickerViewController::loadView() {
    const UIColor start = _color;
    auto page = std::make_shared<PickerPageView>(weakSelf());
    page->setBackgroundColor(start);
    setView(page);

    colorPickerView_ = std::make_shared<HRColorPickerView>();
    colorPickerView_->setColor(start);
    if (_useAlpha) colorPickerView_->setHeaderHeightModifier(2.8f);
    if (_fullColor) {
        auto map = std::make_shared<HRColorMapView>();
        map->setSaturationUpperLimit(1);
        map->setTileSize(1);
        colorPickerView_->addSubview(map);
        colorPickerView_->setColorMapView(map);
        auto slider = std::make_shared<HRBrightnessSlider>();
        slider->setBrightnessLowerLimit(0);
        colorPickerView_->addSubview(slider);
        colorPickerView_->setBrightnessSlider(slider);
    }
    colorPickerView_->addTarget(sending(&QVAXColorPickerViewController::colorWasChanged), UIControlEventValueChanged);
    page->addSubview(colorPickerView_);

    batteryPreview_ = std::make_shared<QVAXBatteryPreView>(CGRectMake(0, 0, 100, 100));
    batteryPreview_->setCenter({page->center().x, 42});
    RenderSettings defaults;
    defaults.height = 26;
    defaults.level = int(kDefaultLevel);
    defaults.color = start;
    defaults.baseColor = colors::blackColor;
    defaults.script = defaultThemeScript();
    defaultBatterySettings_ = std::make_shared<RenderSettings>(defaults);
    batteryPreview_->setBatterySettings(std::make_shared<RenderSettings>(defaults));
    page->addSubview(batteryPreview_);
    page->bringSubviewToFront(batteryPreview_.get());

    percentSlider_ = std::make_shared<UISlider>();
    page->addSubview(percentSlider_);
    page->bringSubviewToFront(percentSlider_.get());
    percentSlider_->setValue(kDefaultLevel / 100);
    percentSlider_->addTarget(sending(&QVAXColorPickerViewController::percentWasChanged), UIControlEventValueChanged);
    percentSlider_->setTintColor(colorPickerView_->color());
    percentSlider_->setThumbTintColor(colorPickerView_->color());

    if (_useAlpha) {
        alphaSlider_ = std::make_shared<UISlider>();
        page->addSubview(alphaSlider_);
        page->bringSubviewToFront(alphaSlider_.get());
        alphaSlider_->addTarget(sending(&QVAXColorPickerViewController::alphaWasChanged), UIControlEventValueChanged);
        alphaSlider_->setMinimumTrackTintColor(colorWithWhite(0, 0.25));
        alphaSlider_->setMaximumTrackTintColor(colors::blackColor);
        alphaSlider_->setThumbTintColor(colors::grayColor);
        alphaSlider_->setValue(start.alpha());
    }

    auto hex = std::make_shared<UIBarButtonItem>("#", UIBarButtonItemStyle::Plain);
    hex->setAction([weak = weakSelf()](UIBarButtonItem&) {
        if (auto self = weak.lock()) self->hexTapped();
    });
    navigationItem()->setRightBarButtonItem(hex);

    cancelButton_ = UIButton::buttonWithType(UIButtonType::System);
    cancelButton_->setTitle(std::string("Cancel"));
    cancelButton_->addTarget(sending(&QVAXColorPickerViewController::cancelPicking), UIControlEventTouchUpInside);
    cancelButton_->sizeToFit();
    page->addSubview(cancelButton_);
}

void QVAXColorPickerViewController::viewDidLayoutSubviews() {
    UIView& page = *view();
    const CGRect bounds = page.bounds();
    const double width = bounds.size.width, cx = CGRectGetMidX(bounds);
    // On the phone the page reaches up under the bars and its header parts are
    // placed from the screen's top; here the page starts below the bar, so the
    // same places are measured from where the page's top lies in the window.
    const double under = std::max(0.0, page.convertPointToView({0, 0}, nullptr).y);

    colorPickerView_->setFrame(bounds);

    batteryPreview_->setFrame(CGRectMake(0, 0, float(width) / 2.5, 44));
    batteryPreview_->setCenter({cx, 102 - under});

    percentSlider_->setFrame(CGRectMake(18, SMFrameAdditions::bottom(*batteryPreview_) + 2, 0.8 * width, 40));
    SMFrameAdditions::setCenterX(*percentSlider_, cx);

    if (alphaSlider_) {
        alphaSlider_->setFrame(percentSlider_->frame());
        SMFrameAdditions::setTopM(*alphaSlider_, SMFrameAdditions::bottom(*percentSlider_) - 8);
    }

    cancelButton_->setCenter(colorPickerView_->center());
    SMFrameAdditions::setBottomM(*cancelButton_, SMFrameAdditions::bottom(*colorPickerView_) - 6);
}

void QVAXColorPickerViewController::setBatterySettings(std::optional<PreviewRenderSettings> settings) {
    batterySettings_ = std::move(settings);
    refreshBatteryPreview();
}

void QVAXColorPickerViewController::setColor(const UIColor& color) {
    _color = color;
    if (percentSlider_) {
        percentSlider_->setTintColor(color);
        percentSlider_->setThumbTintColor(color);
    }
    if (isViewLoaded()) view()->setBackgroundColor(color);
    updateBatterySettings();
}

UIColor QVAXColorPickerViewController::pickedColor() const {
    return _color.withAlpha(alphaSlider_ ? alphaSlider_->value() : 1.0);
}

void QVAXColorPickerViewController::colorWasChanged() {
    const UIColor reported = colorPickerView_->color();
    // The picker keeps its color as hue, saturation and brightness; the way back
    // may move a channel by a rounding error, enough to change a truncated hex
    // digit. A color given exactly (the start color, a typed one) stays exact
    // until the picker really moves away from it.
    if (isSimilarToColor(reported, _color.withAlpha(1), 1e-9)) return;
    setColor(reported);
}
void QVAXColorPickerViewController::percentWasChanged() { updateBatterySettings(); }
void QVAXColorPickerViewController::alphaWasChanged() { updateBatterySettings(); }

void QVAXColorPickerViewController::updateBatterySettings() {
    const UIColor c = pickedColor();
    // The slider's single-precision value, as the level a theme is given.
    const double level = percentSlider_ ? double(float(percentSlider_->value())) * 100 : kDefaultLevel;
    const int shownLevel = int(std::lround(level));
    if (batterySettings_) {
        PreviewRenderSettings& bundle = *batterySettings_;
        std::vector<std::string> groups = {"lightSettings", "darkSettings"};
        if (updateForegroundKey_) groups = {*updateForegroundKey_};
        double baseAlpha = 1;
        if (!updateKey_ && bundle.lightSettings)
            baseAlpha = bundle.lightSettings->shareAlpha.value_or(bundle.lightSettings->baseColor.alpha());
        for (const auto& name : groups) {
            RenderSettings* settings = group(bundle, name);
            if (!settings) continue;
            if (updateKey_) {
                setEntry(*settings, *updateKey_, c);
            } else {
                // A shared main color: the base follows it at the shared alpha.
                settings->color = c;
                settings->baseColor = c.withAlpha(baseAlpha);
            }
        }
        if (bundle.lightSettings) bundle.lightSettings->level = shownLevel;
        if (bundle.darkSettings) bundle.darkSettings->level = shownLevel;
    } else if (defaultBatterySettings_) {
        if (updateKey_) {
            setEntry(*defaultBatterySettings_, *updateKey_, c);
        } else {
            defaultBatterySettings_->color = c;
            defaultBatterySettings_->baseColor = c;
        }
        defaultBatterySettings_->level = shownLevel;
    }
    refreshBatteryPreview();
}

void QVAXColorPickerViewController::refreshBatteryPreview() {
    if (!batteryPreview_) return;
    if (batterySettings_) {
        batteryPreview_->setLightSettings(batterySettings_->lightSettings);
        batteryPreview_->setDarkSettings(batterySettings_->darkSettings);
    } else {
        batteryPreview_->setBatterySettings(defaultBatterySettings_);
    }
    batteryPreview_->refreshBattery();
}

void QVAXColorPickerViewController::hexTapped() {
    const float screenHeight = float(UIScreen::mainScreen().bounds().size.height);
    std::vector<std::string> buttons = {"Set", "Copy"};
    if (screenHeight >= 500) buttons.push_back("Paste");
    auto alert = std::make_shared<UIAlertView>("Hex Color", "Enter a hex color or copy it to your pasteboard.",
                                               weakSelf(), std::string("Cancel"), buttons);
    alert->setAlertViewStyle(UIAlertViewStyle::PlainTextInput);
    // The color the row would store, alpha included, so that an alpha row's
    // translucency survives a round trip through the text.
    alert->textFieldAtIndex(0)->setText(ColorParsing::hexStringFromColor(pickedColor(), true, true).value_or(""));
    alert->show();
}

void QVAXColorPickerViewController::alertViewClickedButtonAtIndex(UIAlertView& alert, long index) {
    switch (index) {
        case kHexSet:
            if (auto field = alert.textFieldAtIndex(0)) applyHexText(field->text());
            break;
        case kHexCopy:
            UIPasteboard::generalPasteboard().setString(ColorParsing::hexStringFromColor(pickedColor(), true, true));
            break;
        case kHexPaste: applyHexText(UIPasteboard::generalPasteboard().string()); break;
        default: break;
    }
}

void QVAXColorPickerViewController::applyHexText(const std::optional<std::string>& text) {
    // The codec reads any text as some color; what is not hex must not become black.
    const auto hex = text ? HexColorText::expanded(*text) : std::nullopt;
    const auto color = hex ? ColorParsing::colorFromHexString(hex) : std::nullopt;
    if (!color) {
        refusalAlert_ = std::make_shared<UIAlertView>("Not a Hex Color",
                                                      std::string("A hex color is ") + HexColorText::kExpected + ".",
                                                      std::weak_ptr<UIAlertViewDelegate>{}, std::nullopt,
                                                      std::vector<std::string>{"OK"});
        refusalAlert_->show();
        return;
    }
    if (alphaSlider_ && carriesAlpha(*hex)) alphaSlider_->setValue(color->alpha());
    if (colorPickerView_) colorPickerView_->setColor(*color);
    setColor(*color);
}

void QVAXColorPickerViewController::cancelPicking() {
    _isCanceling = true;
    if (auto nav = navigationController()) nav->popViewControllerAnimated(true);
}

void QVAXColorPickerViewController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    if (auto nav = navigationController()) nav->navigationBar()->setTintColor(kAccentColor);
    if (auto window = UIWindow::keyWindow()) window->setTintColor(kAccentColor);
    updateBatterySettings();
}

void QVAXColorPickerViewController::viewDidAppear(bool animated) {
    UIViewController::viewDidAppear(animated);
    _isCanceling = false;
}

void QVAXColorPickerViewController::viewWillDisappear(bool animated) {
    UIViewController::viewWillDisappear(animated);
    if (_isCanceling) return;
    auto delegate = delegate_.lock();
    if (!delegate) return;
    // A change the picker still holds back is the color under the cursor: it counts.
    if (colorPickerView_) colorPickerView_->reportPendingChange();
    delegate->colorPickerControllerDidFinishPickingWithColor(*this, pickedColor());
}
