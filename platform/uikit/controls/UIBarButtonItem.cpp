#include "platform/uikit/controls/UIBarButtonItem.h"

#include "platform/uikit/controls/UIButton.h"

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

std::shared_ptr<UIButton> makeBarButton(const UIBarButtonItemPtr& item) {
    auto button = UIButton::buttonWithType(UIButtonType::System);
    button->setTitle(item->title());
    button->titleLabel()->setFont(item->style() == UIBarButtonItemStyle::Done ? UIFont::boldSystemFontOfSize(17)
                                                                              : UIFont::systemFontOfSize(17));
    button->setTintColor(item->tintColor());
    button->setEnabled(item->isEnabled());
    std::weak_ptr<UIBarButtonItem> weak = item;
    button->addTarget(
        [weak](UIControl&) {
            if (auto i = weak.lock()) i->perform();
        },
        UIControlEventTouchUpInside);
    return button;
}

}  // namespace uikit
