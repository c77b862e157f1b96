#pragma once
// The choices of a link-list row, in the page colors of the pane.

#include "platform/preferences/PSListItemsController.h"
#include "settings/toolkit/SKPageColors.h"

class SKListItemsController : public preferences::PSListItemsController, public SKPageColorHooks {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // A text of the page's bundle; the key itself when it has none.
    std::string localizedString(const std::string& key) const;

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
};
