#pragma once
// The cell of one row: made for that row from its specifier (the class in its
// "cellClass" property when that is a cell class, else the cell type's own),
// showing the row's name, icon and value.

#include <memory>
#include <string>

#include "platform/preferences/PreferenceMessages.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/tables/UITableViewCell.h"

namespace preferences {

class PSTableCell : public uikit::UITableViewCell, public runtime::NSObject {
public:
    PSTableCell() : PSTableCell(uikit::UITableViewCellStyle::Value1) {}
    explicit PSTableCell(uikit::UITableViewCellStyle style) : UITableViewCell(style) {}

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // A new cell for the row; never nullptr.
    static std::shared_ptr<PSTableCell> cellForSpecifier(const PSSpecifierPtr& specifier);

    const PSSpecifierPtr& specifier() const { return specifier_; }
    // Binds the cell to its row and shows the row (name, icon, accessory).
    virtual void setSpecifier(PSSpecifierPtr specifier);
    virtual void refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier);
    uikit::UILabel* titleLabel() const { return textLabel(); }

    // The row's value as the cell shows it (a link-list row: its title).
    virtual void setValue(const PreferenceValue& value);
    const PreferenceValue& value() const { return value_; }

    // A list item's mark.
    void setChecked(bool checked);
    bool isChecked() const { return accessoryType() == uikit::UITableViewCellAccessoryType::Checkmark; }

    // Cells that act on a tap themselves name what to send to whom (held weakly),
    // leaving the row's own target alone.
    void setCellTarget(std::weak_ptr<runtime::NSObject> target) { cellTarget_ = std::move(target); }
    std::shared_ptr<runtime::NSObject> cellTarget() const { return cellTarget_.lock(); }
    void setCellAction(std::string selector) { cellAction_ = std::move(selector); }
    const std::string& cellAction() const { return cellAction_; }
    // Sends the cell action with the row to the cell target; false when nothing was sent.
    bool performCellAction();

    // A button row's title takes the tint; it follows tint changes.
    void tintColorDidChange() override;

private:
    PSSpecifierPtr specifier_;
    PreferenceValue value_;
    std::weak_ptr<runtime::NSObject> cellTarget_;
    std::string cellAction_;
};

using PSTableCellPtr = std::shared_ptr<PSTableCell>;

}  // namespace preferences
