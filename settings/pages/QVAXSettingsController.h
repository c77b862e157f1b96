#pragma once
// The base of the pages whose rows read and write settings: the pane's colors,
// and every value read afresh from the settings file and written through the
// preference store's locked rewrite.

#include "settings/toolkit/SKTintedListController.h"

class QVAXSettingsController : public SKTintedListController {
public:
    // The pane color, 8F00FF.
    static constexpr graphics::Color kPaneColor = graphics::Color::rgb(143 / 255.0, 0, 1);

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<bool> tintNavigationTitleText() const override { return false; }
    std::optional<bool> tintSwitches() const override { return true; }
    std::optional<graphics::Color> navigationTintColor() const override { return kPaneColor; }
    std::optional<graphics::Color> switchOnTintColor() const override { return kPaneColor; }
    std::optional<std::string> shareMessage() const override;

    preferences::PreferenceValue readPreferenceValue(const preferences::PSSpecifierPtr& specifier) override;
    // A write that fails is logged and the row shows what the file holds.
    void setPreferenceValue(preferences::PreferenceValue value, const preferences::PSSpecifierPtr& specifier) override;

protected:
    // Shows the row's value as the file has it.
    void showStoredValue(const preferences::PSSpecifierPtr& specifier);
};
