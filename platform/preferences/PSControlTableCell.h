#pragma once
// A cell whose row is edited through a control (switch, slider, segments):
// the control shows the row's value, and a change goes through the row's setter.

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/controls/UIControl.h"

namespace preferences {

class PSControlTableCell : public PSTableCell {
public:
    PSControlTableCell() = default;
    explicit PSControlTableCell(uikit::UITableViewCellStyle style) : PSTableCell(style) {}

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    uikit::UIControl* control() const { return control_.get(); }
    void setValue(const PreferenceValue& value) override;

    // The control's value as the row stores it.
    virtual PreferenceValue controlValue() const { return std::nullopt; }
    // Stores the control's value through the row's setter.
    virtual void controlChanged();

protected:
    // Installs the control and listens to its changes.
    void setControl(std::shared_ptr<uikit::UIControl> control);
    // Moves the control to the row's value.
    virtual void showValue(const PreferenceValue&) {}

private:
    std::shared_ptr<uikit::UIControl> control_;
};

}  // namespace preferences
