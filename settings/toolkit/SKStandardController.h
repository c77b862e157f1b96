#pragma once
// A ready-made first page for a small tweak's settings: an enable switch, a
// link to its options, a link to its makers and a support row that opens a
// prefilled e-mail. A pane subclasses it and answers the hooks.

#include <string>
#include <vector>

#include "platform/uikit/services/MFMailComposeViewController.h"
#include "settings/toolkit/SKTintedListController.h"

class SKStandardController : public SKTintedListController, public uikit::MFMailComposeViewControllerDelegate {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // Hooks.
    virtual std::string enabledDescription() const { return "test"; }
    // The settings file the enable switch stores in: a bare file name under the preferences root.
    virtual std::string defaultsFileName() const { return {}; }
    virtual std::string postNotification() const { return {}; }
    virtual std::string settingsListControllerClassName() const { return {}; }
    virtual std::string makersListControllerClassName() const { return {}; }
    virtual std::string footerText() const { return {}; }
    virtual std::string emailSubject() const { return {}; }  // a localization key
    virtual std::string emailBody() const { return {}; }     // a localization key
    virtual std::vector<std::string> emailAddresses() const { return {}; }
    std::optional<graphics::Color> iconColor() const override;

    bool showHeartImage() const override { return true; }
    bool shiftHeartImage() const override { return true; }
    std::optional<bool> tintNavigationTitleText() const override { return false; }

    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override;

    // The support row: a mail sheet prefilled from the hooks, or nothing when no mail can be sent.
    void showSupportDialog();
    // Takes the sheet down whatever happened.
    void mailComposeController(uikit::MFMailComposeViewController& controller, uikit::MFMailComposeResult result,
                               const std::optional<std::string>& error) override;

    // The switch's value in its settings file, and storing it there.
    preferences::PreferenceValue readPreferenceValue(const preferences::PSSpecifierPtr& specifier) override;
    void setPreferenceValue(preferences::PreferenceValue value, const preferences::PSSpecifierPtr& specifier) override;
};
