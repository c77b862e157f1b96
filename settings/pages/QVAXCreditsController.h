#pragma once
// The credits page: the developer's row opening their Twitter profile, a
// donate button, and the other contributor.

#include "settings/toolkit/SKTintedListController.h"

class QVAXCreditsController : public SKTintedListController {
public:
    static constexpr const char* kDeveloperHandle = "kelvaryDev";
    static constexpr const char* kDonationAddress = "https://kelvary.dev/donate";
    static constexpr const char* kOtherContributor = "Tarnwick";

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<std::string> customTitle() const override { return "Credits"; }
    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override;
    std::optional<graphics::Color> navigationTintColor() const override;
    std::optional<std::string> shareMessage() const override;

    // The rows' actions.
    void openDevTwitter();
    void openDonate();
};
