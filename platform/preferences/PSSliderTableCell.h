#pragma once
// A slider row: "min" and "max" bound the slider, "showValue" adds the value on
// the right, and "isSegmented" with "segmentCount" makes it stop only at that
// many equal steps (whole steps show and store as integers). While a finger
// drags, the value is stored at most ten times a second and always once on
// release, so a drag does not flood the status bar.

#include <cmath>

#include "platform/preferences/PSControlTableCell.h"
#include "platform/uikit/controls/UISlider.h"
#include "platform/uikit/views/UILabel.h"

namespace preferences {

class PSSliderTableCell : public PSControlTableCell {
public:
    static constexpr double kStoreInterval = 0.1;

    PSSliderTableCell();
    ~PSSliderTableCell() override;

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    uikit::UISlider* slider() const { return slider_.get(); }
    uikit::UILabel* valueLabel() const { return valueLabel_.get(); }
    PreferenceValue controlValue() const override;
    void refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) override;
    void controlChanged() override;

protected:
    void showValue(const PreferenceValue& value) override;
    void layoutSubviews() override;

private:
    void storeNow();
    void released();
    void showValueText();
    double snapped(double value) const;
    bool wholeSteps() const { return step_ > 0 && step_ == std::round(step_); }

    std::shared_ptr<uikit::UISlider> slider_ = std::make_shared<uikit::UISlider>();
    std::shared_ptr<uikit::UILabel> valueLabel_ = std::make_shared<uikit::UILabel>();
    double lastStore_ = -1e9;
    double lastStoredValue_ = std::nan("");
    int pendingStore_ = 0;  // clock token of a store waiting for the interval to end
    double step_ = 0;       // 0: any value
};

}  // namespace preferences
