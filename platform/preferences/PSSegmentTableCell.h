#pragma once
// A segment row: one segment per title of the row's choices; the chosen
// segment's value is stored.

#include "platform/preferences/PSControlTableCell.h"
#include "platform/uikit/controls/UISegmentedControl.h"

namespace preferences {

class PSSegmentTableCell : public PSControlTableCell {
public:
    PSSegmentTableCell() : PSControlTableCell(uikit::UITableViewCellStyle::Default) {}

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    uikit::UISegmentedControl* segments() const { return segments_.get(); }
    void refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) override;
    PreferenceValue controlValue() const override;

protected:
    void showValue(const PreferenceValue& value) override;
    void layoutSubviews() override;

private:
    std::shared_ptr<uikit::UISegmentedControl> segments_;
};

}  // namespace preferences
