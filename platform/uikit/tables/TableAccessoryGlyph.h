#pragma once
// The accessories a cell draws itself: the grey disclosure chevron and the checkmark.

#include "platform/uikit/views/UIView.h"

namespace uikit {

enum class UITableViewCellAccessoryType { None, DisclosureIndicator, Checkmark };

class TableAccessoryGlyph : public UIView {
public:
    explicit TableAccessoryGlyph(UITableViewCellAccessoryType type);

    UITableViewCellAccessoryType type() const { return type_; }
    CGSize sizeThatFits(CGSize size) const override;

protected:
    void drawRect(const CGRect& rect) override;

private:
    UITableViewCellAccessoryType type_;
};

}  // namespace uikit
