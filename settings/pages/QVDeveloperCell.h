#pragma once
// The credits page's developer row: picture, name and description, and a
// Twitter badge on the right that says the row opens a profile.

#include "settings/toolkit/SKPersonCell.h"

class QVDeveloperCell : public SKPersonCell {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::string name() const override { return "Kelvary Dev"; }
    std::string twitterHandle() const override { return "kelvaryDev"; }
    std::string imageName() const override { return "KelvaryLarge.png"; }
    std::string personDescription() const override { return "isDeveloper && isDesigner // == YES"; }

    void didMoveToSuperview() override;

private:
    std::shared_ptr<uikit::UIImageView> badge_;  // made once, on the first move into a table
};
