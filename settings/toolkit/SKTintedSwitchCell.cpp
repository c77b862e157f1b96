#include "settings/toolkit/SKTintedSwitchCell.h"

runtime::Class* SKTintedSwitchCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<SKTintedSwitchCell>("SKTintedSwitchCell", preferences::PSSwitchTableCell::staticClass());
    return cls;
}

namespace {
// Registered when the bundle loads, so that rows can name the class.
const bool kRegistered = (SKTintedSwitchCell::staticClass(), true);
}
