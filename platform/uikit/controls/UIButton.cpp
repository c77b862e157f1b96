#include "platform/uikit/controls/UIButton.h"

#include <algorithm>

#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
    return std::make_shared<UIButton>(CGRectZero, type);
}

UIButton::UIButton(const CGRect& frame, UIButtonType type)
    : UIControl(frame),
      type_(type),
      backgroundView_(std::make_shared<UIImageView>()),
      imageView_(std::make_shared<UIImageView>()),
      titleLabel_(std::make_shared<UILabel>()) {
    titleLabel_->setFont(type == UIButtonType::System ? UIFont::systemFontOfSize(15) : UIFont::systemFontOfSize(17));
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    backgroundView_->setContentMode(UIViewContentMode::ScaleToFill);
    imageView_->setContentMode(UIViewContentMode::Center);
    addSubview(backgroundView_);
    addSubview(imageView_);
    addSubview(titleLabel_);
    glowView_ = std::make_shared<UIImageView>(glowImage());
    glowView_->setHidden(true);
    addSubview(glowView_);
    refresh();
}

template <class T>
std::optional<T> UIButton::forState(const std::map<unsigned, T>& values, unsigned state) {
    if (auto it = values.find(state); it != values.end()) return it->second;
    // Highlighted-and-selected falls back to highlighted, then to normal.
    if (state & UIControlStateHighlighted)
        if (auto it = values.find(UIControlStateHighlighted); it != values.end()) return it->second;
    if (state & UIControlStateSelected)
        if (auto it = values.find(UIControlStateSelected); it != values.end()) return it->second;
    if (auto it = values.find(UIControlStateNormal); it != values.end()) return it->second;
    return std::nullopt;
}

void UIButton::setTitle(std::optional<std::string> title, unsigned state) {
    if (title) titles_[state] = *title;
    else titles_.erase(state);
    refresh();
}
std::optional<std::string> UIButton::titleForState(unsigned state) const { return forState(titles_, state); }

void UIButton::setTitleColor(std::optional<UIColor> color, unsigned state) {
    if (color) titleColors_.insert_or_assign(state, *color);
    else titleColors_.erase(state);
    refresh();
}

UIColor UIButton::titleColorForState(unsigned state) const {
    if (auto c = forState(titleColors_, state)) return *c;
    if (type_ == UIButtonType::System) {
        if (state & UIControlStateDisabled) return UIColor::grey(0.55, 1);
        return tintColor();
    }
    return colors::whiteColor;
}

void UIButton::setImage(UIImagePtr image, unsigned state) {
    if (image) images_[state] = image;
    else images_.erase(state);
    refresh();
}
UIImagePtr UIButton::imageForState(unsigned state) const { return forState(images_, state).value_or(nullptr); }

void UIButton::setBackgroundImage(UIImagePtr image, unsigned state) {
    if (image) backgrounds_[state] = image;
    else backgrounds_.erase(state);
    refresh();
}
UIImagePtr UIButton::backgroundImageForState(unsigned state) const {
    return forState(backgrounds_, state).value_or(nullptr);
}

void UIButton::setShowsTouchWhenHighlighted(bool shows) {
    showsTouch_ = shows;
    refresh();
}

void UIButton::setContentEdgeInsets(const UIEdgeInsets& insets) {
    contentInsets_ = insets;
    setNeedsLayout();
}

void UIButton::stateDidChange() { refresh(); }

void UIButton::refresh() {
    const unsigned s = state();
    titleLabel_->setText(titleForState(s).value_or(""));
    UIColor color = titleColorForState(s);
    // A system button fades its title while held.
    if (type_ == UIButtonType::System && (s & UIControlStateHighlighted) && !titleColors_.count(UIControlStateHighlighted))
        color = color.withAlpha(color.alpha() * 0.2);
    titleLabel_->setTextColor(color);
    imageView_->setImage(imageForState(s));
    backgroundView_->setImage(backgroundImageForState(s));
    glowView_->setHidden(!(showsTouch_ && (s & UIControlStateHighlighted)));
    setNeedsLayout();
}

CGSize UIButton::sizeThatFits(CGSize) const {
    const CGSize title = titleLabel_->sizeThatFits({});
    CGSize image;
    if (auto i = imageForState(state())) image = {i->width(), i->height()};
    CGSize size{title.width + image.width, std::max(title.height, image.height)};
    if (auto b = backgroundImageForState(state()))
        size = {std::max(size.width, b->width()), std::max(size.height, b->height())};
    if (type_ == UIButtonType::System) size.height = std::max(size.height, 30.0);
    return {size.width + contentInsets_.left + contentInsets_.right,
            size.height + contentInsets_.top + contentInsets_.bottom};
}

void UIButton::layoutSubviews() {
    const CGRect b = bounds();
    backgroundView_->setFrame(b);
    glowView_->setCenter({CGRectGetMidX(b), CGRectGetMidY(b)});
    const CGRect content = UIEdgeInsetsInsetRect(b, contentInsets_);
    const CGSize title = titleLabel_->text().empty() ? CGSize{} : titleLabel_->sizeThatFits({});
    CGSize image;
    if (auto i = imageView_->image()) image = {i->width(), i->height()};
    // Image then title, centred together.
    const double total = std::min(image.width + title.width, content.size.width);
    const double x = content.origin.x + (content.size.width - total) / 2;
    imageView_->setFrame(CGRectMake(x, content.origin.y + (content.size.height - image.height) / 2, image.width, image.height));
    const double titleWidth = std::max(0.0, total - image.width);
    titleLabel_->setFrame(CGRectMake(x + image.width, content.origin.y, titleWidth, content.size.height));
}

UIImagePtr UIButton::glowImage() {
    static UIImagePtr image = [] {
        const double r = 20;
        UIGraphicsBeginImageContextWithOptions({2 * r, 2 * r}, false, 0);
        cairo_t* cr = UIGraphicsGetCurrentContext();
        cairo_pattern_t* glow = cairo_pattern_create_radial(r, r, 0, r, r, r);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.9);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
        UIImagePtr made = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return made;
    }();
    return image;
}

bool UIButton::pressFocusedKey(UIKey key) {
    if (key != UIKey::Return && key != UIKey::Space) return false;
    auto keep = weak_from_this().lock();
    sendActionsForControlEvents(UIControlEventTouchUpInside);
    return true;
}

}  // namespace uikit
