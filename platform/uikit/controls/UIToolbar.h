#pragma once
// A bar of items, laid out left to right with flexible spaces sharing what is left.

#include <optional>
#include <vector>

#include "platform/uikit/controls/UIBarButtonItem.h"
#include "platform/uikit/controls/UIButton.h"

namespace uikit {

class UIToolbar : public UIView {
public:
    static constexpr double kHeight = 44;

    explicit UIToolbar(const CGRect& frame = CGRectZero);

    const std::vector<UIBarButtonItemPtr>& items() const { return items_; }
    void setItems(std::vector<UIBarButtonItemPtr> items);
    std::optional<UIColor> barTintColor() const { return barTint_; }
    void setBarTintColor(std::optional<UIColor> color);
    // The button shown for an item; nullptr for spaces and unknown items.
    UIButtonPtr buttonForItem(const UIBarButtonItem* item) const;

    CGSize sizeThatFits(CGSize size) const override { return {size.width, kHeight}; }

protected:
    void layoutSubviews() override;

private:
    std::vector<UIBarButtonItemPtr> items_;
    std::vector<UIButtonPtr> buttons_;  // one per item, nullptr for spaces
    std::optional<UIColor> barTint_;
    std::shared_ptr<UIView> hairline_;
};

}  // namespace uikit
