#include "settings/toolkit/SKListItemsController.h"

#include "settings/toolkit/SKLocalization.h"

runtime::Class* SKListItemsController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<SKListItemsController>(
        "SKListItemsController", preferences::PSListItemsController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (SKListItemsController::staticClass(), true);
}

void SKListItemsController::viewWillAppear(bool animated) {
    (void)kRegistered;
    SKPageColors::apply(*this, *this);
    PSListItemsController::viewWillAppear(animated);
}

void SKListItemsController::viewWillDisappear(bool animated) {
    PSListItemsController::viewWillDisappear(animated);
    SKPageColors::remove(*this);
}

std::string SKListItemsController::localizedString(const std::string& key) const { return SKLocalizedString(*this, key); }
