#pragma once
// What the navigation bar shows while a page is on top: its title or title
// view and its right-hand items; and the back button's title for the page above.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/controls/UIBarButtonItem.h"

namespace uikit {

class UIView;

class UINavigationItem {
public:
    UINavigationItem() = default;
    explicit UINavigationItem(std::string title) : title_(std::move(title)) {}

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const std::shared_ptr<UIView>& titleView() const { return titleView_; }
    void setTitleView(std::shared_ptr<UIView> view);

    // The first item is the rightmost.
    const std::vector<UIBarButtonItemPtr>& rightBarButtonItems() const { return rightItems_; }
    void setRightBarButtonItems(std::vector<UIBarButtonItemPtr> items, bool animated = false);
    void setRightBarButtonItem(UIBarButtonItemPtr item, bool animated = false);

    // The title the back button shows on the page pushed above this one; nullopt: this title.
    const std::optional<std::string>& backBarButtonTitle() const { return backTitle_; }
    void setBackBarButtonTitle(std::optional<std::string> title);

    // Told of every change while the item is shown; `animated` only for the right items.
    void setChangeHandler(std::function<void(bool animated)> handler) { changed_ = std::move(handler); }

private:
    void changed(bool animated) {
        if (changed_) changed_(animated);
    }

    std::string title_;
    std::shared_ptr<UIView> titleView_;
    std::vector<UIBarButtonItemPtr> rightItems_;
    std::optional<std::string> backTitle_;
    std::function<void(bool)> changed_;
};

using UINavigationItemPtr = std::shared_ptr<UINavigationItem>;

}  // namespace uikit
