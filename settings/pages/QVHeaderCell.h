#pragma once
// The main page's first row: the pane's picture at full width, cropped to fill.

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/views/UIImageView.h"

class QVHeaderCell : public preferences::PSTableCell {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // The header cell that prepared itself last, and its picture; nullptr once gone.
    static std::shared_ptr<QVHeaderCell> latestHeaderCell();
    static std::shared_ptr<uikit::UIImageView> latestHeaderImageView();

    uikit::UIImageView* headerImageView() const { return imageView_.get(); }

    void didMoveToSuperview() override;

protected:
    void layoutSubviews() override;

private:
    std::shared_ptr<uikit::UIImageView> imageView_;  // made once, on the first move into a table
};
