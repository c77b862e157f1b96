#pragma once
// The base of every list page of the pane: rows from dictionaries with
// localized texts, the page's colors while it is on screen, an optional header
// above the rows and a heart in the bar that shares the page's message.
// Subclasses customise it through the optional hooks below: a hook returning
// nullopt is one the page does not offer.

#include <optional>
#include <string>
#include <vector>

#include "platform/preferences/PSListController.h"
#include "platform/uikit/controls/UIButton.h"
#include "settings/toolkit/SKPageColors.h"

class SKTintedListController : public preferences::PSListController, public SKPageColorHooks {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // Hooks.
    virtual std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() { return std::nullopt; }
    virtual std::optional<std::string> plistName() const { return std::nullopt; }
    virtual std::optional<std::string> customTitle() const { return std::nullopt; }
    virtual std::optional<bool> tintSwitches() const { return std::nullopt; }
    virtual std::optional<graphics::Color> switchOnTintColor() const { return std::nullopt; }
    virtual std::optional<graphics::Color> switchTintColor() const { return std::nullopt; }
    virtual bool showHeartImage() const { return true; }
    virtual bool shiftHeartImage() const { return true; }
    virtual graphics::Color heartImageColor() const;
    virtual std::optional<std::string> shareMessage() const { return std::nullopt; }
    virtual std::optional<std::string> headerImage() const { return std::nullopt; }
    virtual std::optional<std::string> headerText() const { return std::nullopt; }
    virtual std::optional<std::string> headerSubText() const { return std::nullopt; }
    virtual std::optional<graphics::Color> headerColor() const { return std::nullopt; }
    // Offered: the complete header (nullptr leaves the table's header as it is).
    virtual std::optional<uikit::UIViewPtr> headerView() { return std::nullopt; }

    std::vector<preferences::PSSpecifierPtr>& specifiers() override;
    // The page's title through its bundle; nullopt: no text title.
    virtual std::optional<std::string> navigationTitle();
    std::string localizedString(const std::string& key) const;
    std::vector<preferences::PSSpecifierPtr>& localizedSpecifiersWithSpecifiers(
        std::vector<preferences::PSSpecifierPtr>& specifiers);

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void didRotateFromInterfaceOrientation(uikit::UIInterfaceOrientation from) override;
    void setupHeader();
    virtual void heartWasTouched();

    // The text the heart shares when the page offers none.
    static constexpr const char* kFallbackShareMessage =
        "Someone needs to change their [SKTintedListController shareMessage]!";

    uikit::UIButton* heartButton() const { return heart_.get(); }

protected:
    void loadView() override;

private:
    void addHeartButton();
    void colorSwitches();

    std::shared_ptr<uikit::UIButton> heart_;
};
