#include "platform/preferences/PSSwitchTableCell.h"

namespace preferences {

runtime::Class* PSSwitchTableCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSSwitchTableCell>("PSSwitchTableCell", PSControlTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSSwitchTableCell::staticClass(), true);

// Booleans as a property list may hold them: true/false, numbers, "YES"/"true".
bool truthOf(const foundation::PlistValue& v) {
    if (const bool* b = v.asBoolean()) return *b;
    if (const auto* i = v.asInteger()) return *i != 0;
    if (const double* d = v.asReal()) return *d != 0;
    if (const std::string* s = v.asString()) return *s == "YES" || *s == "true" || *s == "1";
    return false;
}
}  // namespace

PSSwitchTableCell::PSSwitchTableCell() {
    (void)kRegistered;
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::None);
    switch_->setFrame(uikit::CGRectMake(0, 0, 51, 31));
    setAccessoryView(switch_);
    setControl(switch_);
}

void PSSwitchTableCell::showValue(const PreferenceValue& value) { switch_->setOn(value && truthOf(*value)); }

}  // namespace preferences
