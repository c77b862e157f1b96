#pragma once
// A theme row of the theme page: the theme's script (from the row's
// "script_key") drawn white on black at level 55 in the preview right of the
// centre; a second preview left of the centre that nothing fills yet.

#include "platform/preferences/PSTableCell.h"
#include "settings/preview/QVAXBatteryPreView.h"

class QVAXThemeCell : public preferences::PSTableCell {
public:
    static constexpr uikit::CGSize kPreviewSize{110, 44};

    QVAXThemeCell();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    void refreshCellContentsWithSpecifier(const preferences::PSSpecifierPtr& specifier) override;
    double preferredHeightForWidth(double) const { return 100; }
    // The argument is not used: the cell's own settings are rebuilt from its script.
    void updateBatteryViewsWithSettings(const SharedRenderSettings& ignored = nullptr);
    // The cell's tap action.
    void saveTheme();

    const std::string& script() const { return _script; }
    const SharedRenderSettings& settings() const { return settings_; }
    QVAXBatteryPreView* dynamicPreview() const { return dynamicPreview_.get(); }
    QVAXBatteryPreView* defaultPreview() const { return defaultPreview_.get(); }

    void didMoveToSuperview() override;

protected:
    void layoutSubviews() override;

private:
    std::string _script;
    SharedRenderSettings settings_;
    std::shared_ptr<QVAXBatteryPreView> dynamicPreview_, defaultPreview_;
};
