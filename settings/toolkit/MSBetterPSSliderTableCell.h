#pragma once
// A slider row that also takes a typed value: the shown value is a button
// (without one, an invisible button over the row's right end) that opens an
// alert with a number field. A value inside the row's
// "min" and "max" moves the slider and is written to the row's settings file
// by the cell itself, then the row's notification is posted; anything else
// gets an error alert and the entry alert again. Dragging stays the slider's.

#include <optional>
#include <string>

#include "platform/preferences/PSSliderTableCell.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/controls/UIToolbar.h"

class MSBetterPSSliderTableCell : public preferences::PSSliderTableCell,
                                 public uikit::UIAlertViewDelegate,
                                 public uikit::UITextFieldDelegate {
public:
    static constexpr long kEntryAlertTag = 342879;
    static constexpr long kErrorAlertTag = 85230234;
    static constexpr double kButtonWidth = 50;

    MSBetterPSSliderTableCell();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // Shows the entry alert.
    void presentPopup();
    // The toolbar's buttons: toggle a leading minus, append a point.
    void typeMinus();
    void typePoint();
    void alertViewClickedButtonAtIndex(uikit::UIAlertView& alert, long index) override;

    // Writes `value` under the row's "key" into the row's "defaults" file and
    // posts the row's "PostNotification". False when nothing was written.
    bool setPreferenceValue(const foundation::PlistValue& value, const preferences::PSSpecifierPtr& specifier);

    // A typed value: an optional sign, digits with at most one point, nothing
    // else (surrounding blanks aside), finite as a 32-bit float.
    static std::optional<float> parseTypedValue(const std::string& text);

    uikit::UIButton* entryButton() const { return entryButton_.get(); }
    const std::shared_ptr<uikit::UIAlertView>& alert() const { return alert_; }

    void controlChanged() override;

protected:
    void layoutSubviews() override;
    void showValue(const preferences::PreferenceValue& value) override;

private:
    float minimum() const;
    float maximum() const;
    std::shared_ptr<uikit::UIToolbar> makeToolbar(bool sign, bool point);
    void enterTypedValue();
    std::shared_ptr<MSBetterPSSliderTableCell> self();
    // The button shows the value in place of the label, which keeps its room.
    void showValueOnButton();

    std::shared_ptr<uikit::UIButton> entryButton_;
    std::shared_ptr<uikit::UIAlertView> alert_;
};
