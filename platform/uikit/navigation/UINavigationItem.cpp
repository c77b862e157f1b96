#include "platform/uikit/navigation/UINavigationItem.h"

namespace uikit {

void UINavigationItem::setTitle(const std::string& title) {
    title_ = title;
    changed(false);
}

void UINavigationItem::setTitleView(std::shared_ptr<UIView> view) {
    titleView_ = std::move(view);
    changed(false);
}

void UINavigationItem::setRightBarButtonItems(std::vector<UIBarButtonItemPtr> items, bool animated) {
    rightItems_ = std::move(items);
    changed(animated);
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItemPtr item, bool animated) {
    setRightBarButtonItems(item ? std::vector<UIBarButtonItemPtr>{std::move(item)} : std::vector<UIBarButtonItemPtr>{},
                           animated);
}

void UINavigationItem::setBackBarButtonTitle(std::optional<std::string> title) {
    backTitle_ = std::move(title);
    changed(false);
}

}  // namespace uikit
