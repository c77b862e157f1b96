#pragma once
// The bar above a navigation stack: 44 points tall, its background reaching up
// under the 20-point status area. Shows the top item's title (or title view)
// centred, a back button titled "‹ " and the previous item's title, and the
// top item's right items laid out from the right edge. Its tint reaches every
// button that has none of its own.

#include <functional>
#include <vector>

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/navigation/UINavigationItem.h"

namespace uikit {

// The title's text attributes; an empty set is the system look.
struct UITextAttributes {
    std::optional<UIColor> foregroundColor;  // NSForegroundColorAttributeName
    UIFontPtr font;
    bool operator==(const UITextAttributes&) const = default;
};

class UINavigationBar : public UIView {
public:
    static constexpr double kHeight = 44, kStatusHeight = 20, kMargin = 16, kGap = 8;

    explicit UINavigationBar(const CGRect& frame = CGRectZero);

    const std::vector<UINavigationItemPtr>& items() const { return items_; }
    UINavigationItemPtr topItem() const { return items_.empty() ? nullptr : items_.back(); }
    UINavigationItemPtr backItem() const { return items_.size() < 2 ? nullptr : items_[items_.size() - 2]; }
    void pushNavigationItem(UINavigationItemPtr item);
    void popNavigationItem();
    void setItems(std::vector<UINavigationItemPtr> items);

    const UITextAttributes& titleTextAttributes() const { return titleAttributes_; }
    void setTitleTextAttributes(UITextAttributes attributes);
    std::optional<UIColor> barTintColor() const { return barTint_; }
    void setBarTintColor(std::optional<UIColor> color);

    // Runs when the back button is tapped (the navigation controller pops).
    void setBackAction(std::function<void()> action) { backAction_ = std::move(action); }

    // What is shown: nullptr when there is none.
    const UIButtonPtr& backButton() const { return backButton_; }
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    // The view shown for a right item of the top item (its custom view or a made button).
    std::shared_ptr<UIView> viewForItem(const UIBarButtonItem* item) const;

    CGSize sizeThatFits(CGSize size) const override { return {size.width, kHeight}; }

protected:
    void layoutSubviews() override;

private:
    void rebuild(bool animated);
    void watch(const UINavigationItemPtr& item);
    std::shared_ptr<UIView> makeItemView(const UIBarButtonItemPtr& item) const;

    std::vector<UINavigationItemPtr> items_;
    UITextAttributes titleAttributes_;
    std::optional<UIColor> barTint_;
    std::function<void()> backAction_;
    std::shared_ptr<UIView> background_, hairline_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIView> titleView_;
    UIButtonPtr backButton_;
    std::vector<std::shared_ptr<UIView>> rightViews_;  // one per right item, nullptr for spaces
};

using UINavigationBarPtr = std::shared_ptr<UINavigationBar>;

}  // namespace uikit
