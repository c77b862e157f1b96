#include "settings/toolkit/SKTintedControlCell.h"

runtime::Class* SKTintedControlCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<SKTintedControlCell>("SKTintedControlCell", preferences::PSControlTableCell::staticClass());
    return cls;
}

namespace {
// Registered when the bundle loads, so that rows can name the class.
const bool kRegistered = (SKTintedControlCell::staticClass(), true);
}

void SKTintedControlCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    if (!uikit::isSimilarToColor(tintColor(), uikit::colors::systemBlueColor, 0.1)) textLabel()->setTextColor(tintColor());
}
