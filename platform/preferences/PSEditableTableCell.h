#pragma once
// An edit-text row: the name on the left, a text field for the value on the
// right; the typed text is stored when editing ends.

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/controls/UITextField.h"

namespace preferences {

class PSEditableTableCell : public PSTableCell {
public:
    PSEditableTableCell();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    uikit::UITextField* textField() const { return field_.get(); }
    void refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) override;
    void setValue(const PreferenceValue& value) override;

protected:
    void layoutSubviews() override;

private:
    void editingEnded();

    std::shared_ptr<uikit::UITextField> field_ = std::make_shared<uikit::UITextField>();
};

}  // namespace preferences
