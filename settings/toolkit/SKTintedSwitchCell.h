#pragma once
// The cell pages name for switch rows; the page colors its switches.

#include "platform/preferences/PSSwitchTableCell.h"

class SKTintedSwitchCell : public preferences::PSSwitchTableCell {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
};
