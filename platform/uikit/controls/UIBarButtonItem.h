#pragma once
// An item of a toolbar or navigation bar: a titled button, a system button,
// a view of the caller's own, or space (a fixed space may be negative, pulling
// the next item toward it).

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/drawing/UIColor.h"

namespace uikit {

class UIView;
class UIButton;

enum class UIBarButtonSystemItem { Done, Cancel, FlexibleSpace, FixedSpace };
enum class UIBarButtonItemStyle { Plain, Done };

class UIBarButtonItem {
public:
    using Action = std::function<void(UIBarButtonItem& item)>;

    UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action = {});
    UIBarButtonItem(UIBarButtonSystemItem item, Action action = {});
    explicit UIBarButtonItem(std::shared_ptr<UIView> customView);

    // The action runs while `target` lives; the item does not keep it alive.
    template <class T>
    void setTarget(const std::shared_ptr<T>& target, void (T::*method)(UIBarButtonItem&)) {
        std::weak_ptr<T> weak = target;
        action_ = [weak, method](UIBarButtonItem& item) {
            if (auto t = weak.lock()) ((*t).*method)(item);
        };
    }
    void setAction(Action action) { action_ = std::move(action); }
    void perform() {
        if (action_) action_(*this);
    }

    const std::string& title() const { return title_; }
    UIBarButtonItemStyle style() const { return style_; }
    std::optional<UIBarButtonSystemItem> systemItem() const { return systemItem_; }
    bool isSpace() const;
    const std::shared_ptr<UIView>& customView() const { return customView_; }
    double width() const { return width_; }  // fixed spaces and fixed-width buttons; 0: natural
    void setWidth(double width) { width_ = width; }
    std::optional<UIColor> tintColor() const { return tint_; }
    void setTintColor(std::optional<UIColor> tint) { tint_ = tint; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    std::string title_;
    UIBarButtonItemStyle style_ = UIBarButtonItemStyle::Plain;
    std::optional<UIBarButtonSystemItem> systemItem_;
    std::shared_ptr<UIView> customView_;
    Action action_;
    double width_ = 0;
    std::optional<UIColor> tint_;
    bool enabled_ = true;
};

using UIBarButtonItemPtr = std::shared_ptr<UIBarButtonItem>;

// The system button a bar shows for a titled item: its title, style, tint and
// enabled state; a tap performs the item while the item lives.
std::shared_ptr<UIButton> makeBarButton(const UIBarButtonItemPtr& item);

}  // namespace uikit
