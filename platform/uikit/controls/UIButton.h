#pragma once
// A button: title, image and background image per control state; a system
// button draws its title in the tint color and fades it while held.

#include <map>
#include <optional>
#include <string>

#include "platform/uikit/controls/UIControl.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"

namespace uikit {

enum class UIButtonType { Custom, System };

class UIButton : public UIControl {
public:
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
    explicit UIButton(const CGRect& frame = CGRectZero, UIButtonType type = UIButtonType::Custom);

    UIButtonType buttonType() const { return type_; }

    // Per state; a state without its own value uses the normal one.
    void setTitle(std::optional<std::string> title, unsigned state = UIControlStateNormal);
    std::optional<std::string> titleForState(unsigned state) const;
    void setTitleColor(std::optional<UIColor> color, unsigned state = UIControlStateNormal);
    UIColor titleColorForState(unsigned state) const;
    void setImage(UIImagePtr image, unsigned state = UIControlStateNormal);
    UIImagePtr imageForState(unsigned state) const;
    void setBackgroundImage(UIImagePtr image, unsigned state = UIControlStateNormal);
    UIImagePtr backgroundImageForState(unsigned state) const;

    std::optional<std::string> currentTitle() const { return titleForState(state()); }
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }
    bool showsTouchWhenHighlighted() const { return showsTouch_; }
    void setShowsTouchWhenHighlighted(bool shows);
    UIEdgeInsets contentEdgeInsets() const { return contentInsets_; }
    void setContentEdgeInsets(const UIEdgeInsets& insets);

    CGSize sizeThatFits(CGSize size) const override;
    CGSize intrinsicContentSize() const override { return sizeThatFits({}); }
    // Return or Space press a focused button.
    bool canBecomeFocused() const override { return isEnabled(); }
    bool pressFocusedKey(UIKey key) override;

protected:
    void layoutSubviews() override;
    void stateDidChange() override;
    void tintColorDidChange() override { refresh(); }

private:
    template <class T>
    static std::optional<T> forState(const std::map<unsigned, T>& values, unsigned state);
    void refresh();
    static UIImagePtr glowImage();

    UIButtonType type_;
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, UIColor> titleColors_;
    std::map<unsigned, UIImagePtr> images_, backgrounds_;
    std::shared_ptr<UIImageView> backgroundView_, imageView_, glowView_;
    std::shared_ptr<UILabel> titleLabel_;
    UIEdgeInsets contentInsets_;
    bool showsTouch_ = false;
};

using UIButtonPtr = std::shared_ptr<UIButton>;

}  // namespace uikit
