#pragma once
// A switch row: the switch on the right shows and sets a boolean.

#include "platform/preferences/PSControlTableCell.h"
#include "platform/uikit/controls/UISwitch.h"

namespace preferences {

class PSSwitchTableCell : public PSControlTableCell {
public:
    PSSwitchTableCell();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    uikit::UISwitch* switchControl() const { return switch_.get(); }
    PreferenceValue controlValue() const override { return foundation::PlistValue(switch_->isOn()); }

protected:
    void showValue(const PreferenceValue& value) override;

private:
    std::shared_ptr<uikit::UISwitch> switch_ = std::make_shared<uikit::UISwitch>();
};

}  // namespace preferences
