#pragma once
// A tall row presenting one person: a square picture on the left, the name in
// large type and a one-line description under it. A concrete person is a
// subclass that answers the hooks.

#include <memory>
#include <string>

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"

class SKPersonCell : public preferences::PSTableCell {
public:
    SKPersonCell();

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // Hooks; each answers the empty string unless a person overrides it.
    virtual std::string name() const { return {}; }                // a localization key
    virtual std::string personDescription() const { return {}; }   // a localization key
    virtual std::string imageName() const { return {}; }           // in the bundle of the cell's class
    virtual std::string twitterHandle() const { return {}; }       // for the page; the cell does not show it

    // Builds the picture and the labels from the hooks, once. The framework's
    // cell creation reaches it through setSpecifier, when the hooks can answer.
    void initPersonViews();
    // Loads the picture named by imageName() again.
    void updateImage();
    // `key` from the bundle of the cell's class; the key itself when that has no text.
    std::string localizedString(const std::string& key) const;

    void setSpecifier(preferences::PSSpecifierPtr specifier) override;

    uikit::UIImageView* pictureView() const { return background_.get(); }
    uikit::UILabel* nameLabel() const { return label_.get(); }
    uikit::UILabel* descriptionLabel() const { return label2_.get(); }

    static constexpr uikit::CGRect kPictureFrame{{9, 18}, {65, 65}};

private:
    uikit::CGRect initialFrame_;  // the frame the cell was made with; the labels are placed from it
    std::shared_ptr<uikit::UIImageView> background_;
    std::shared_ptr<uikit::UILabel> label_, label2_;
};
