#pragma once
// The cell pages name for plain link rows: the framework's look.

#include "platform/preferences/PSTableCell.h"

class SKTintedCell : public preferences::PSTableCell {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
};
