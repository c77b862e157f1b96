#include "platform/uikit/tables/UITableViewCell.h"

#include <algorithm>

#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/tables/UITableView.h"

namespace uikit {
namespace {

constexpr double kMargin = 15;

std::shared_ptr<UILabel> makeLabel(double size, UISystemColor color) {
    auto label = std::make_shared<UILabel>();
    label->setFont(UIFont::systemFontOfSize(size));
    label->setTextColor(color);
    label->setOpaque(false);
    return label;
}

}  // namespace

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier)
    : UIView(CGRectMake(0, 0, 320, 44)), style_(style), reuseIdentifier_(std::move(reuseIdentifier)),
      selectedBackground_(std::make_shared<UIView>()), contentView_(std::make_shared<UIView>()),
      imageView_(std::make_shared<UIImageView>()) {
    setBackgroundColor(UISystemColor::secondarySystemGroupedBackground);
    setClipsToBounds(true);
    selectedBackground_->setBackgroundColor(UISystemColor::selectedRowBackground);
    selectedBackground_->setAlpha(0);
    selectedBackground_->setUserInteractionEnabled(false);
    addSubview(selectedBackground_);
    contentView_->setOpaque(false);
    addSubview(contentView_);
    imageView_->setContentMode(UIViewContentMode::ScaleAspectFit);
    contentView_->addSubview(imageView_);
    textLabel_ = makeLabel(17, UISystemColor::label);
    contentView_->addSubview(textLabel_);
    if (style_ == UITableViewCellStyle::Value1) {
        detailTextLabel_ = makeLabel(17, UISystemColor::secondaryLabel);
        detailTextLabel_->setTextAlignment(NSTextAlignment::Right);
    } else if (style_ == UITableViewCellStyle::Subtitle) {
        detailTextLabel_ = makeLabel(12, UISystemColor::label);
    }
    if (detailTextLabel_) contentView_->addSubview(detailTextLabel_);
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    accessoryType_ = type;
    installAccessory();
}

void UITableViewCell::setAccessoryView(UIViewPtr view) {
    accessoryView_ = std::move(view);
    installAccessory();
}

void UITableViewCell::installAccessory() {
    if (shownAccessory_) shownAccessory_->removeFromSuperview();
    shownAccessory_ = accessoryView_;
    if (!shownAccessory_ && accessoryType_ != UITableViewCellAccessoryType::None)
        shownAccessory_ = std::make_shared<TableAccessoryGlyph>(accessoryType_);
    if (shownAccessory_) addSubview(shownAccessory_);
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected, bool animated) {
    if (selected && selectionStyle_ == UITableViewCellSelectionStyle::None) selected = false;
    selected_ = selected;
    UIView* highlight = selectedBackground_.get();
    const bool shown = selected || showsFocus_;
    if (shown || !animated) {
        highlight->layer()->removeAnimations();  // a fade still running would hide the new state
        performWithoutAnimation([&] { highlight->setAlpha(shown ? 1 : 0); });
        return;
    }
    animateWithDuration(kDeselectionDuration, [&] { highlight->setAlpha(0); });
}

void UITableViewCell::setShowsFocus(bool shows) {
    if (shows == showsFocus_) return;
    showsFocus_ = shows;
    UIView* highlight = selectedBackground_.get();
    highlight->layer()->removeAnimations();
    performWithoutAnimation([&] { highlight->setAlpha(shows || selected_ ? 1 : 0); });
}

bool UITableViewCell::canBecomeFocused() const {
    // Rows a tap selects; a row that selects nothing is reached through its controls.
    auto* table = dynamic_cast<const UITableView*>(superview());
    return table && table->allowsSelection() && selectionStyle_ != UITableViewCellSelectionStyle::None;
}

bool UITableViewCell::pressFocusedKey(UIKey key) {
    if (key != UIKey::Return && key != UIKey::Space) return false;
    auto* table = dynamic_cast<UITableView*>(superview());
    const auto row = table ? table->indexPathForCell(this) : std::nullopt;
    if (!row) return false;
    table->selectRowAsTapped(*row);
    return true;
}

void UITableViewCell::layoutSubviews() {
    const CGSize size = bounds().size;
    selectedBackground_->setFrame({{0, 0}, size});

    double contentWidth = size.width;
    if (shownAccessory_) {
        CGSize a = shownAccessory_->frame().size;
        if (accessoryView_ == nullptr) a = shownAccessory_->sizeThatFits(size);
        const double x = size.width - kMargin - a.width;
        shownAccessory_->setFrame(CGRectMake(x, (size.height - a.height) / 2, a.width, a.height));
        contentWidth = x - 5;
    }
    contentView_->setFrame(CGRectMake(0, 0, std::max(0.0, contentWidth), size.height));

    double textX = kMargin;
    if (imageView_->image()) {
        CGSize s = imageView_->sizeThatFits(size);
        if (s.height > size.height) s = {s.width * size.height / s.height, size.height};
        imageView_->setFrame(CGRectMake(kMargin, (size.height - s.height) / 2, s.width, s.height));
        textX = kMargin + s.width + kMargin;
    } else {
        imageView_->setFrame(CGRectZero);
    }
    const double textRight = contentWidth - (shownAccessory_ ? 0 : kMargin);
    const double textWidth = std::max(0.0, textRight - textX);

    switch (style_) {
    case UITableViewCellStyle::Default: textLabel_->setFrame(CGRectMake(textX, 0, textWidth, size.height)); break;
    case UITableViewCellStyle::Value1: {
        const double detailWidth = std::min(detailTextLabel_->sizeThatFits({}).width, textWidth);
        detailTextLabel_->setFrame(CGRectMake(textRight - detailWidth, 0, detailWidth, size.height));
        const double titleWidth = std::min(textLabel_->sizeThatFits({}).width, textWidth - detailWidth);
        textLabel_->setFrame(CGRectMake(textX, 0, std::max(0.0, titleWidth), size.height));
        break;
    }
    case UITableViewCellStyle::Subtitle: {
        const double top = textLabel_->font()->lineHeight(), bottom = detailTextLabel_->font()->lineHeight();
        const double y = (size.height - top - bottom) / 2;
        textLabel_->setFrame(CGRectMake(textX, y, textWidth, top));
        detailTextLabel_->setFrame(CGRectMake(textX, y + top, textWidth, bottom));
        break;
    }
    }
}

}  // namespace uikit
