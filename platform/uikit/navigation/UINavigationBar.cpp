#include "platform/uikit/navigation/UINavigationBar.h"

#include <algorithm>

namespace uikit {
namespace {

constexpr double kBackMargin = 8, kItemFadeSeconds = 0.2;

}  // namespace

UINavigationBar::UINavigationBar(const CGRect& frame)
    : UIView(CGRectIsZero(frame) ? CGRectMake(0, kStatusHeight, 320, kHeight) : frame),
      background_(std::make_shared<UIView>()),
      hairline_(std::make_shared<UIView>()),
      titleLabel_(std::make_shared<UILabel>()) {
    // The background reaches up under the status area, outside the bar's bounds.
    setBackgroundColor(std::nullopt);
    setOpaque(false);
    background_->setBackgroundColor(UISystemColor::barBackground);
    background_->setUserInteractionEnabled(false);
    hairline_->setBackgroundColor(UISystemColor::barHairline);
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(17));
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    addSubview(background_);
    addSubview(hairline_);
    addSubview(titleLabel_);
}

void UINavigationBar::pushNavigationItem(UINavigationItemPtr item) {
    if (!item) return;
    watch(item);
    items_.push_back(std::move(item));
    rebuild(false);
}

void UINavigationBar::popNavigationItem() {
    if (items_.empty()) return;
    items_.back()->setChangeHandler({});
    items_.pop_back();
    rebuild(false);
}

void UINavigationBar::setItems(std::vector<UINavigationItemPtr> items) {
    for (auto& item : items_) item->setChangeHandler({});
    items_.clear();
    for (auto& item : items)
        if (item) watch(item), items_.push_back(std::move(item));
    rebuild(false);
}

void UINavigationBar::watch(const UINavigationItemPtr& item) {
    auto weak = std::weak_ptr<UIResponder>(weak_from_this());
    item->setChangeHandler([weak](bool animated) {
        if (auto self = std::static_pointer_cast<UINavigationBar>(weak.lock())) self->rebuild(animated);
    });
}

void UINavigationBar::setTitleTextAttributes(UITextAttributes attributes) {
    titleAttributes_ = std::move(attributes);
    if (titleAttributes_.foregroundColor) titleLabel_->setTextColor(*titleAttributes_.foregroundColor);
    else titleLabel_->setTextColor(UISystemColor::label);
    titleLabel_->setFont(titleAttributes_.font ? titleAttributes_.font : UIFont::boldSystemFontOfSize(17));
    setNeedsLayout();
}

void UINavigationBar::setBarTintColor(std::optional<UIColor> color) {
    barTint_ = color;
    if (color) background_->setBackgroundColor(*color);
    else background_->setBackgroundColor(UISystemColor::barBackground);
}

std::shared_ptr<UIView> UINavigationBar::viewForItem(const UIBarButtonItem* item) const {
    const auto top = topItem();
    if (!top) return nullptr;
    const auto& items = top->rightBarButtonItems();
    for (size_t i = 0; i < items.size() && i < rightViews_.size(); ++i)
        if (items[i].get() == item) return rightViews_[i];
    return nullptr;
}

std::shared_ptr<UIView> UINavigationBar::makeItemView(const UIBarButtonItemPtr& item) const {
    if (!item || item->isSpace()) return nullptr;
    if (const auto& custom = item->customView()) {
        if (item->tintColor()) custom->setTintColor(item->tintColor());
        return custom;
    }
    return makeBarButton(item);
}

void UINavigationBar::rebuild(bool animated) {
    for (auto& view : rightViews_)
        if (view) view->removeFromSuperview();
    rightViews_.clear();
    if (backButton_) backButton_->removeFromSuperview(), backButton_ = nullptr;
    if (titleView_) titleView_->removeFromSuperview(), titleView_ = nullptr;

    const auto top = topItem();
    titleLabel_->setText(top ? top->title() : "");
    if (top && top->titleView()) {
        titleView_ = top->titleView();
        addSubview(titleView_);
    }
    titleLabel_->setHidden(titleView_ != nullptr);

    if (const auto back = backItem()) {
        backButton_ = UIButton::buttonWithType(UIButtonType::System);
        const std::string title = back->backBarButtonTitle().value_or(back->title());
        backButton_->setTitle("\u2039 " + (title.empty() ? std::string("Back") : title));
        backButton_->titleLabel()->setFont(UIFont::systemFontOfSize(17));
        auto weak = std::weak_ptr<UIResponder>(weak_from_this());
        backButton_->addTarget(
            [weak](UIControl&) {
                auto self = std::static_pointer_cast<UINavigationBar>(weak.lock());
                if (self && self->backAction_) self->backAction_();
            },
            UIControlEventTouchUpInside);
        addSubview(backButton_);
    }

    if (top) {
        for (const auto& item : top->rightBarButtonItems()) {
            auto view = makeItemView(item);
            if (view) {
                view->removeFromSuperview();
                addSubview(view);
                if (animated) {
                    view->setAlpha(0);
                    UIView::animateWithDuration(kItemFadeSeconds, [&] { view->setAlpha(1); });
                }
            }
            rightViews_.push_back(view);
        }
    }
    setNeedsLayout();
}

void UINavigationBar::layoutSubviews() {
    const CGRect b = bounds();
    background_->setFrame(CGRectMake(0, -kStatusHeight, b.size.width, b.size.height + kStatusHeight));
    hairline_->setFrame(CGRectMake(0, b.size.height - 0.5, b.size.width, 0.5));

    double left = kBackMargin;
    if (backButton_) {
        const double w = backButton_->sizeThatFits({}).width;
        backButton_->setFrame(CGRectMake(kBackMargin, 0, w, b.size.height));
        left += w + kGap;
    }

    // Right items from the right edge inwards; a fixed space moves the rest by its width.
    double x = b.size.width - kMargin;
    const auto top = topItem();
    for (size_t i = 0; top && i < rightViews_.size(); ++i) {
        const auto& item = top->rightBarButtonItems()[i];
        const auto& view = rightViews_[i];
        if (!view) {
            if (item && item->systemItem() == UIBarButtonSystemItem::FixedSpace) x -= item->width();
            continue;
        }
        CGSize size = item->customView() ? view->frame().size : view->sizeThatFits({});
        if (item->width() > 0) size.width = item->width();
        if (!item->customView()) size.height = b.size.height;
        x -= size.width;
        view->setFrame(CGRectMake(x, (b.size.height - size.height) / 2, size.width, size.height));
        x -= kGap;
    }

    if (titleView_) {
        const CGSize size = titleView_->frame().size;
        titleView_->setFrame(CGRectMake((b.size.width - size.width) / 2, (b.size.height - size.height) / 2,
                                        size.width, size.height));
    } else {
        CGSize size = titleLabel_->sizeThatFits({});
        // Centred on the bar while it fits between the back button and the right items.
        const double room = std::max(0.0, std::min(b.size.width - 2 * left, 2 * (x + kGap) - b.size.width));
        if (size.width > room && room > 0) size.width = room;
        titleLabel_->setFrame(CGRectMake((b.size.width - size.width) / 2, 0, size.width, b.size.height));
    }
}

}  // namespace uikit
