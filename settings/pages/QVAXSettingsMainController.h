#pragma once
// The pane's first page: the picture header, the master switch, the theme and
// profile choices, and links to the other pages. It lists the installed themes
// and the profiles for the choice pages, and offers to move the settings of an
// earlier version over.

#include <vector>

#include "platform/uikit/alerts/UIAlertView.h"
#include "settings/pages/QVAXSettingsController.h"

class QVAXSettingsMainController : public QVAXSettingsController, public uikit::UIAlertViewDelegate {
public:
    // Used when the header picture is missing.
    static constexpr float kFallbackHeaderHeight = 150;

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // The main page loaded last; nullptr once it is gone.
    static std::shared_ptr<QVAXSettingsMainController> mainPage();

    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override;
    std::optional<std::string> navigationTitle() override { return std::nullopt; }

    const std::vector<std::string>& themes() const { return themes_; }
    const std::vector<std::string>& profiles() const { return profiles_; }
    float headerHeight() const { return headerHeight_; }
    bool isLogoUp() const { return logoUp_; }

    // The row data sources; the row argument is not used.
    foundation::PlistArray themeTitles(const preferences::PSSpecifierPtr&) const;
    foundation::PlistArray themeValues(const preferences::PSSpecifierPtr&) const;
    foundation::PlistArray loadProfiles(const preferences::PSSpecifierPtr&);
    foundation::PlistArray profileTitles(const preferences::PSSpecifierPtr&);

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void didRotateFromInterfaceOrientation(uikit::UIInterfaceOrientation from) override;
    void alertViewDidDismissWithButtonIndex(uikit::UIAlertView& alert, long index) override;

protected:
    void loadView() override;

private:
    void listThemes();
    void computeHeaderHeight();
    void putUpLogo();
    void offerMigration();

    std::vector<std::string> themes_;
    std::vector<std::string> profiles_;
    bool logoUp_ = false;
    float headerHeight_ = kFallbackHeaderHeight;
};
