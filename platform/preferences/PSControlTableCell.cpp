#include "platform/preferences/PSControlTableCell.h"

namespace preferences {

runtime::Class* PSControlTableCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSControlTableCell>("PSControlTableCell", PSTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSControlTableCell::staticClass(), true);
}

void PSControlTableCell::setControl(std::shared_ptr<uikit::UIControl> control) {
    (void)kRegistered;
    control_ = std::move(control);
    // The cell owns the control, so a plain capture cannot outlive it.
    control_->addTarget([this](uikit::UIControl&) { controlChanged(); }, uikit::UIControlEventValueChanged);
}

void PSControlTableCell::setValue(const PreferenceValue& value) {
    PSTableCell::setValue(value);
    showValue(value);
}

void PSControlTableCell::controlChanged() { storeValue(specifier(), controlValue()); }

}  // namespace preferences
