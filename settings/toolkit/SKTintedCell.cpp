#include "settings/toolkit/SKTintedCell.h"

runtime::Class* SKTintedCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<SKTintedCell>("SKTintedCell", preferences::PSTableCell::staticClass());
    return cls;
}

namespace {
// Registered when the bundle loads, so that rows can name the class.
const bool kRegistered = (SKTintedCell::staticClass(), true);
}
