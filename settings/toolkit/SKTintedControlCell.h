#pragma once
// A control row whose title takes the cell's tint, unless that is the system blue.

#include "platform/preferences/PSControlTableCell.h"

class SKTintedControlCell : public preferences::PSControlTableCell {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

protected:
    void layoutSubviews() override;
};
