#pragma once
// Every setting that is not a color: mirroring, the charging symbol, the low
// level, the secondary theme with its mirroring and level, and a fixed level
// for trying themes.

#include <vector>

#include "settings/pages/QVAXSettingsController.h"

class QVAXSettingsOptionsController : public QVAXSettingsController {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::optional<std::vector<preferences::SpecifierDictionary>> customSpecifiers() override;
    std::optional<std::string> customTitle() const override { return std::string("MORE_CHOICES"); }

    const std::vector<std::string>& themes() const { return themes_; }
    // The secondary theme row's data sources; the row argument is not used.
    foundation::PlistArray themeTitles(const preferences::PSSpecifierPtr&) const;
    foundation::PlistArray themeValues(const preferences::PSSpecifierPtr&) const;

protected:
    void loadView() override;

private:
    std::vector<std::string> themes_;
};
