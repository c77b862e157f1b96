#include "settings/pages/QVAXSettingSecondaryThemeListController.h"

#include "settings/preview/RenderSettings.h"

runtime::Class* QVAXSettingSecondaryThemeListController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVAXSettingSecondaryThemeListController>(
        "QVAXSettingSecondaryThemeListController", QVAXSettingThemeListController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVAXSettingSecondaryThemeListController::staticClass(), true);
}

QVAXSettingSecondaryThemeListController::QVAXSettingSecondaryThemeListController() {
    (void)kRegistered;
    useSecondarySettings = true;
}
