#pragma once
// The theme list for the secondary theme: while it is in use, previews carry
// the secondary theme's mirroring.

#include "settings/pages/QVAXSettingThemeListController.h"

class QVAXSettingSecondaryThemeListController : public QVAXSettingThemeListController {
public:
    QVAXSettingSecondaryThemeListController();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
};
