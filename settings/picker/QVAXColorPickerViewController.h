#pragma once
// The page on which one color setting is edited: the HSV picker over the whole
// page, and in front of its header a live battery preview, a level slider for
// the preview, an alpha slider on rows with alpha, "Cancel" and a "#" entry
// with copy and paste. The color leaves the page once, when it disappears,
// through the delegate; "Cancel" leaves without a report.

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UISlider.h"
#include "platform/uikit/navigation/UIViewController.h"
#include "settings/picker/HRColorPickerView.h"
#include "settings/preview/QVAXBatteryPreView.h"

class QVAXColorPickerViewController;

class QVAXColorPickerViewControllerDelegate {
public:
    virtual ~QVAXColorPickerViewControllerDelegate() = default;
    // Optional: a delegate that leaves it as it is is simply not told.
    virtual void colorPickerControllerDidFinishPickingWithColor(QVAXColorPickerViewController&,
                                                                const uikit::UIColor&) {}
};

class QVAXColorPickerViewController : public uikit::UIViewController, public uikit::UIAlertViewDelegate {
public:
    // The page's own accent, also given to the bar and the window while it shows.
    static constexpr graphics::Color kAccentColor = graphics::Color::rgb(143 / 255.0, 0, 1);
    static constexpr double kDefaultLevel = 55;

    QVAXColorPickerViewController(const uikit::UIColor& color, bool fullColor, bool useAlpha = false);

    std::shared_ptr<QVAXColorPickerViewControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<QVAXColorPickerViewControllerDelegate> delegate) { delegate_ = std::move(delegate); }
    // The caller's render settings for the preview, edited in place; without them
    // the page uses a dictionary of its own.
    const std::optional<PreviewRenderSettings>& batterySettings() const { return batterySettings_; }
    void setBatterySettings(std::optional<PreviewRenderSettings> settings);
    // The entry the color feeds ("color" or "baseColor"); none: both, the base
    // at the shared alpha.
    const std::optional<std::string>& updateKey() const { return updateKey_; }
    void setUpdateKey(std::optional<std::string> key) { updateKey_ = std::move(key); }
    // The style group the color belongs to ("lightSettings" or "darkSettings"); none: both.
    const std::optional<std::string>& updateForegroundKey() const { return updateForegroundKey_; }
    void setUpdateForegroundKey(std::optional<std::string> key) { updateForegroundKey_ = std::move(key); }

    const uikit::UIColor& color() const { return _color; }
    void setColor(const uikit::UIColor& color);
    // The current color with the alpha slider's alpha (1 without one).
    uikit::UIColor pickedColor() const;

    // Control actions.
    void colorWasChanged();
    void percentWasChanged();
    void alphaWasChanged();
    void cancelPicking();
    void hexTapped();
    void alertViewClickedButtonAtIndex(uikit::UIAlertView& alert, long index) override;

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    // Called by the page's view after each layout of its subviews.
    void viewDidLayoutSubviews();

    const std::shared_ptr<HRColorPickerView>& colorPickerView() const { return colorPickerView_; }
    const std::shared_ptr<QVAXBatteryPreView>& batteryPreview() const { return batteryPreview_; }
    const std::shared_ptr<uikit::UISlider>& percentSlider() const { return percentSlider_; }
    const std::shared_ptr<uikit::UISlider>& alphaSlider() const { return alphaSlider_; }
    const std::shared_ptr<uikit::UIButton>& cancelButton() const { return cancelButton_; }
    const SharedRenderSettings& defaultBatterySettings() const { return defaultBatterySettings_; }
    bool isCanceling() const { return _isCanceling; }

protected:
    void loadView() override;

private:
    std::weak_ptr<QVAXColorPickerViewController> weakSelf();
    // A control action that runs `action` while the page lives.
    uikit::UIControl::Action sending(void (QVAXColorPickerViewController::*action)());
    void updateBatterySettings();
    void refreshBatteryPreview();
    // A color typed or pasted as hex: moves the picker, and the alpha slider
    // when the text carries alpha digits. Text that is no hex color is refused
    // with an alert.
    void applyHexText(const std::optional<std::string>& text);

    std::shared_ptr<HRColorPickerView> colorPickerView_;
    uikit::UIColor _color;
    bool _fullColor;
    std::shared_ptr<QVAXBatteryPreView> batteryPreview_;
    std::shared_ptr<uikit::UISlider> percentSlider_;
    SharedRenderSettings defaultBatterySettings_;
    bool _useAlpha;
    std::shared_ptr<uikit::UISlider> alphaSlider_;
    std::shared_ptr<uikit::UIButton> cancelButton_;
    bool _isCanceling = false;
    std::shared_ptr<uikit::UIAlertView> refusalAlert_;  // the hex entry that was not a color
    std::weak_ptr<QVAXColorPickerViewControllerDelegate> delegate_;
    std::optional<PreviewRenderSettings> batterySettings_;
    std::optional<std::string> updateKey_;
    std::optional<std::string> updateForegroundKey_;
};
