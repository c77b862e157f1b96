#include "platform/uikit/alerts/UIAlertView.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "platform/foundation/Log.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

constexpr double kWidth = 270, kPadding = 16, kButtonHeight = 44, kFieldHeight = 26;

std::deque<UIAlertViewPtr>& queue() {
    static std::deque<UIAlertViewPtr> q;
    return q;
}
UIAlertViewPtr& showing() {
    static UIAlertViewPtr s;
    return s;
}

}  // namespace

UIAlertView::UIAlertView(std::string title, std::string message, std::weak_ptr<UIAlertViewDelegate> delegate,
                         std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles)
    : title_(std::move(title)), message_(std::move(message)), delegate_(std::move(delegate)) {
    if (cancelButtonTitle) {
        buttonTitles_.push_back(*cancelButtonTitle);
        cancelIndex_ = 0;
    }
    for (auto& t : otherButtonTitles) buttonTitles_.push_back(std::move(t));
    setBackgroundColor(UIColor::grey(0, 0.4));
    rebuild();
}

UIAlertView::~UIAlertView() = default;

void UIAlertView::setTitle(const std::string& title) { title_ = title, rebuild(); }
void UIAlertView::setMessage(const std::string& message) { message_ = message, rebuild(); }

void UIAlertView::setAlertViewStyle(UIAlertViewStyle style) {
    style_ = style;
    fields_.clear();
    const int count = style == UIAlertViewStyle::Default ? 0 : style == UIAlertViewStyle::LoginAndPasswordInput ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        auto field = std::make_shared<UITextField>();
        field->setBorderStyle(UITextBorderStyle::Line);
        field->setFont(UIFont::systemFontOfSize(13));
        field->setSecureTextEntry(style == UIAlertViewStyle::SecureTextInput || i == 1);
        fields_.push_back(field);
    }
    rebuild();
}

UITextFieldPtr UIAlertView::textFieldAtIndex(long index) const {
    return index >= 0 && size_t(index) < fields_.size() ? fields_[size_t(index)] : nullptr;
}

long UIAlertView::addButtonWithTitle(const std::string& title) {
    buttonTitles_.push_back(title);
    rebuild();
    return long(buttonTitles_.size()) - 1;
}

std::string UIAlertView::buttonTitleAtIndex(long index) const {
    return index >= 0 && size_t(index) < buttonTitles_.size() ? buttonTitles_[size_t(index)] : std::string();
}

long UIAlertView::firstOtherButtonIndex() const {
    const long first = cancelIndex_ == 0 ? 1 : 0;
    return first < numberOfButtons() ? first : -1;
}

void UIAlertView::rebuild() {
    if (box_) box_->removeFromSuperview();
    box_ = std::make_shared<UIView>();
    box_->setBackgroundColor(UISystemColor::alertBackground);
    box_->layer()->setCornerRadius(13);
    box_->setClipsToBounds(true);
    titleLabel_ = std::make_shared<UILabel>();
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(17));
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    titleLabel_->setNumberOfLines(0);
    titleLabel_->setText(title_);
    messageLabel_ = std::make_shared<UILabel>();
    messageLabel_->setFont(UIFont::systemFontOfSize(13));
    messageLabel_->setTextAlignment(NSTextAlignment::Center);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setText(message_);
    box_->addSubview(titleLabel_);
    box_->addSubview(messageLabel_);
    for (auto& f : fields_) box_->addSubview(f);
    buttons_.clear();
    for (size_t i = 0; i < buttonTitles_.size(); ++i) {
        auto button = UIButton::buttonWithType(UIButtonType::System);
        button->setTitle(buttonTitles_[i]);
        button->titleLabel()->setFont(long(i) == cancelIndex_ ? UIFont::boldSystemFontOfSize(17) : UIFont::systemFontOfSize(17));
        button->setBackgroundColor(colors::clearColor);
        // Built in the constructor, before the alert is shared: the alert is looked up when tapped.
        UIAlertView* self = this;
        button->addTarget(
            [self, i](UIControl&) {
                if (showing().get() == self) self->clickButtonAtIndex(long(i));
            },
            UIControlEventTouchUpInside);
        box_->addSubview(button);
        buttons_.push_back(button);
    }
    addSubview(box_);
    setNeedsLayout();
}

void UIAlertView::layoutSubviews() {
    const double inner = kWidth - 2 * kPadding;
    double y = 20;
    const CGSize titleSize = titleLabel_->sizeThatFits({inner, 0});
    titleLabel_->setFrame(CGRectMake(kPadding, y, inner, title_.empty() ? 0 : titleSize.height));
    y += title_.empty() ? 0 : titleSize.height + 4;
    const CGSize messageSize = messageLabel_->sizeThatFits({inner, 0});
    messageLabel_->setFrame(CGRectMake(kPadding, y, inner, message_.empty() ? 0 : messageSize.height));
    y += message_.empty() ? 0 : messageSize.height;
    for (auto& f : fields_) {
        y += 10;
        f->setFrame(CGRectMake(kPadding, y, inner, kFieldHeight));
        y += kFieldHeight;
    }
    y += 20;
    const bool sideBySide = buttons_.size() == 2;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (sideBySide) buttons_[i]->setFrame(CGRectMake(kWidth / 2 * double(i), y, kWidth / 2, kButtonHeight));
        else buttons_[i]->setFrame(CGRectMake(0, y + kButtonHeight * double(i), kWidth, kButtonHeight));
    }
    y += sideBySide ? kButtonHeight : kButtonHeight * double(buttons_.size());
    const CGRect b = bounds();
    box_->setFrame(CGRectMake(std::round((b.size.width - kWidth) / 2), std::round((b.size.height - y) / 2), kWidth, y));
}

UIView* UIAlertView::hitTest(CGPoint point, const UIEvent* event) {
    // The dimmed window under the alert takes no touches.
    UIView* hit = UIView::hitTest(point, event);
    return hit ? hit : (pointInside(point, event) ? this : nullptr);
}

void UIAlertView::show() {
    auto self = std::static_pointer_cast<UIAlertView>(shared_from_this());
    if (visible_ || std::find(queue().begin(), queue().end(), self) != queue().end()) return;
    queue().push_back(self);
    if (!showing()) presentNext();
}

void UIAlertView::presentNext() {
    if (showing() || queue().empty()) return;
    auto window = UIWindow::keyWindow();
    if (!window) {
        foundation::logLine("uikit: an alert waits for a key window");
        return;
    }
    auto next = queue().front();
    queue().pop_front();
    next->present(*window);
}

void UIAlertView::present(UIWindow& window) {
    auto self = std::static_pointer_cast<UIAlertView>(shared_from_this());
    showing() = self;
    if (auto d = delegate_.lock()) d->willPresentAlertView(*this);
    setFrame(window.bounds());
    window.addOverlay(self);
    window.setModalOverlay(self);
    visible_ = true;
    if (!fields_.empty()) fields_.front()->becomeFirstResponder();
    if (auto d = delegate_.lock()) d->didPresentAlertView(*this);
}

void UIAlertView::clickButtonAtIndex(long index) {
    auto self = std::static_pointer_cast<UIAlertView>(shared_from_this());
    if (!visible_ || dismissing_) return;
    if (auto d = delegate_.lock()) d->alertViewClickedButtonAtIndex(*this, index);
    dismissWithClickedButtonIndex(index, true);
}

void UIAlertView::dismissWithClickedButtonIndex(long index, bool) {
    auto self = std::static_pointer_cast<UIAlertView>(shared_from_this());
    if (!visible_) {
        // Not shown yet: it simply leaves the queue.
        auto& q = queue();
        q.erase(std::remove(q.begin(), q.end(), self), q.end());
        return;
    }
    if (dismissing_) return;
    dismissing_ = true;
    if (auto d = delegate_.lock()) d->alertViewWillDismissWithButtonIndex(*this, index);
    UIWindow* window = this->window();
    if (window) window->setModalOverlay({});
    removeFromSuperview();
    visible_ = false;
    if (showing() == self) showing().reset();
    if (auto d = delegate_.lock()) d->alertViewDidDismissWithButtonIndex(*this, index);
    dismissing_ = false;
    presentNext();
}

bool UIAlertView::pressKey(UIKey key) { return pressKeyWithModifiers(key, UIKeyModifierNone); }

bool UIAlertView::pressKeyWithModifiers(UIKey key, unsigned modifiers) {
    switch (key) {
        case UIKey::Return: {
            const long other = firstOtherButtonIndex();
            if (other >= 0) clickButtonAtIndex(other);
            else if (cancelIndex_ >= 0) clickButtonAtIndex(cancelIndex_);
            return true;
        }
        case UIKey::Escape:
            // A notice with one button is closed by it: Escape must never leave an alert up.
            if (cancelIndex_ >= 0) clickButtonAtIndex(cancelIndex_);
            else if (numberOfButtons() == 1) clickButtonAtIndex(0);
            return true;
        default:
            // A key the field passes up comes back here: it stops.
            if (forwardingKey_) return true;
            for (auto& f : fields_)
                if (f->isEditing()) {
                    auto keep = shared_from_this();
                    forwardingKey_ = true;
                    f->pressKeyWithModifiers(key, modifiers);
                    forwardingKey_ = false;
                    break;
                }
            return true;
    }
}

bool UIAlertView::insertText(const std::string& text) {
    for (auto& f : fields_)
        if (f->isEditing()) return f->insertText(text);
    return true;
}

std::shared_ptr<UIAlertView> UIAlertView::visibleAlert() { return showing(); }
size_t UIAlertView::queuedCount() { return queue().size(); }

}  // namespace uikit
