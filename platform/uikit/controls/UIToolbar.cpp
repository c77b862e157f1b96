#include "platform/uikit/controls/UIToolbar.h"

#include <algorithm>

namespace uikit {
namespace {

constexpr double kMargin = 16, kGap = 8;

}  // namespace

UIToolbar::UIToolbar(const CGRect& frame)
    : UIView(CGRectIsZero(frame) ? CGRectMake(0, 0, 320, kHeight) : frame), hairline_(std::make_shared<UIView>()) {
    setBackgroundColor(UISystemColor::barBackground);
    hairline_->setBackgroundColor(UISystemColor::barHairline);
    addSubview(hairline_);
}

void UIToolbar::setBarTintColor(std::optional<UIColor> color) {
    barTint_ = color;
    if (color) setBackgroundColor(*color);
    else setBackgroundColor(UISystemColor::barBackground);
}

void UIToolbar::setItems(std::vector<UIBarButtonItemPtr> items) {
    for (auto& b : buttons_)
        if (b) b->removeFromSuperview();
    buttons_.clear();
    items_ = std::move(items);
    for (const auto& item : items_) {
        if (!item || item->isSpace()) {
            buttons_.push_back(nullptr);
            continue;
        }
        auto button = makeBarButton(item);
        addSubview(button);
        buttons_.push_back(button);
    }
    setNeedsLayout();
}

UIButtonPtr UIToolbar::buttonForItem(const UIBarButtonItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return buttons_[i];
    return nullptr;
}

void UIToolbar::layoutSubviews() {
    const CGRect b = bounds();
    hairline_->setFrame(CGRectMake(0, 0, b.size.width, 0.5));
    std::vector<double> widths(items_.size(), 0);
    double used = 0;
    int flexible = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const auto& item = items_[i];
        if (!item) continue;
        if (item->systemItem() == UIBarButtonSystemItem::FlexibleSpace) ++flexible;
        else if (item->isSpace()) widths[i] = item->width();
        else widths[i] = item->width() > 0 ? item->width() : buttons_[i]->sizeThatFits({}).width;
        used += widths[i];
    }
    const double gaps = items_.empty() ? 0 : kGap * double(items_.size() - 1);
    const double spare = std::max(0.0, b.size.width - 2 * kMargin - used - gaps);
    double x = kMargin;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] && items_[i]->systemItem() == UIBarButtonSystemItem::FlexibleSpace) widths[i] = spare / flexible;
        if (buttons_[i]) buttons_[i]->setFrame(CGRectMake(x, 0, widths[i], b.size.height));
        x += widths[i] + kGap;
    }
}

}  // namespace uikit
