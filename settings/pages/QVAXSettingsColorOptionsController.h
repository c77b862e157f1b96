#pragma once
// Every color of the battery icon: main and base colors for the light and the
// dark status bar, the special colors for charging, full, low and low power,
// the shared base color and the pass-through switches. Its color cells open
// the picker on this page and write through it.

#include <memory>
#include <vector>

#include "settings/pages/QVAXSettingsController.h"

class QVAXSettingsColorOptionsController : public QVAXSettingsController {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // The color options page that loaded its view last; nullptr once it is gone.
    static std::shared_ptr<QVAXSettingsColorOptionsController> registeredPage();

    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override;
    std::optional<std::string> customTitle() const override { return std::string("Choices..."); }

protected:
    void loadView() override;
};
