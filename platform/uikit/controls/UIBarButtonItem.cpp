#include "platform/uikit/controls/UIBarButtonItem.h"

namespace uikit {

UIBarButtonItem::UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action)
    : title_(std::move(title)), style_(style), action_(std::move(action)) {}

UIBarButtonItem::UIBarButtonItem(UIBarButtonSystemItem item, Action action)
    : systemItem_(item), action_(std::move(action)) {
    if (item == UIBarButtonSystemItem::Done) title_ = "Done", style_ = UIBarButtonItemStyle::Done;
    if (item == UIBarButtonSystemItem::Cancel) title_ = "Cancel";
}

UIBarButtonItem::UIBarButtonItem(std::shared_ptr<UIView> customView) : customView_(std::move(customView)) {}

bool UIBarButtonItem::isSpace() const {
    return systemItem_ == UIBarButtonSystemItem::FlexibleSpace || systemItem_ == UIBarButtonSystemItem::FixedSpace;
}

}  // namespace uikit
