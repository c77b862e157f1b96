#pragma once
// A theme chooser reachable only by its class name: one row per entry of the
// theme folder, drawn by QVAXThemeCell, under a grey strip holding a level
// slider and a charge switch.

#include <vector>

#include "platform/uikit/controls/UISlider.h"
#include "platform/uikit/controls/UISwitch.h"
#include "settings/toolkit/SKTintedListController.h"

class QVAXSettingsThemeController : public SKTintedListController {
public:
    static constexpr double kStripHeight = 80;

    QVAXSettingsThemeController();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override { return specs_; }
    std::optional<std::string> customTitle() const override { return std::string("Select Theme"); }

    void viewWillAppear(bool animated) override;
    // The header strip, made on first use.
    uikit::UIView& xheaderView();
    void layoutHeader();
    uikit::UIViewPtr viewForHeaderInSection(uikit::UITableView& tableView, long section) override;
    std::optional<double> heightForHeaderInSection(uikit::UITableView& tableView, long section) override;
    void percentWasChanged() {}

    uikit::UISlider* levelSlider() const { return levelSlider_.get(); }
    uikit::UISwitch* chargeSwitch() const { return chargeSwitch_.get(); }

private:
    std::vector<preferences::SpecifierDictionary> specs_;
    uikit::UIViewPtr myHeader_;
    std::shared_ptr<uikit::UISlider> levelSlider_;
    std::shared_ptr<uikit::UISwitch> chargeSwitch_;
};
