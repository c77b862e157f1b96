#pragma once
// An alert drawn as an overlay of the key window, never a view controller, so
// the page under it sees no appearance callbacks. The cancel button has index
// 0 and the others follow; without a cancel button the others start at 0.
// Return presses the first other button, Escape the cancel button. Alerts
// shown while one is up wait their turn.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UITextField.h"

namespace uikit {

class UIAlertView;

// Every hook is optional; the alert holds its delegate weakly.
class UIAlertViewDelegate {
public:
    virtual ~UIAlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(UIAlertView&, long) {}
    virtual void alertViewWillDismissWithButtonIndex(UIAlertView&, long) {}
    virtual void alertViewDidDismissWithButtonIndex(UIAlertView&, long) {}
    virtual void willPresentAlertView(UIAlertView&) {}
    virtual void didPresentAlertView(UIAlertView&) {}
};

enum class UIAlertViewStyle { Default, SecureTextInput, PlainTextInput, LoginAndPasswordInput };

class UIAlertView : public UIView {
public:
    UIAlertView(std::string title, std::string message, std::weak_ptr<UIAlertViewDelegate> delegate,
                std::optional<std::string> cancelButtonTitle, std::vector<std::string> otherButtonTitles);
    ~UIAlertView() override;

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const std::string& message() const { return message_; }
    void setMessage(const std::string& message);
    std::shared_ptr<UIAlertViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIAlertViewDelegate> delegate) { delegate_ = std::move(delegate); }
    UIAlertViewStyle alertViewStyle() const { return style_; }
    void setAlertViewStyle(UIAlertViewStyle style);
    // nullptr when the style has no field of that index.
    UITextFieldPtr textFieldAtIndex(long index) const;

    long addButtonWithTitle(const std::string& title);
    long numberOfButtons() const { return long(buttonTitles_.size()); }
    std::string buttonTitleAtIndex(long index) const;
    long cancelButtonIndex() const { return cancelIndex_; }
    long firstOtherButtonIndex() const;

    // Queues the alert; it appears on the key window when no other alert is up.
    void show();
    bool isVisible() const { return visible_; }
    // As a tap on the button: the delegate hears of the click, then of the dismissal.
    void clickButtonAtIndex(long index);
    // Without the click: only the dismissal is reported.
    void dismissWithClickedButtonIndex(long index, bool animated);

    static std::shared_ptr<UIAlertView> visibleAlert();
    static size_t queuedCount();

    bool pressKey(UIKey key) override;
    bool pressKeyWithModifiers(UIKey key, unsigned modifiers) override;
    bool insertText(const std::string& text) override;
    UIView* hitTest(CGPoint point, const UIEvent* event) override;

protected:
    void layoutSubviews() override;

private:
    void rebuild();
    void present(UIWindow& window);
    static void presentNext();

    std::string title_, message_;
    std::weak_ptr<UIAlertViewDelegate> delegate_;
    std::vector<std::string> buttonTitles_;
    long cancelIndex_ = -1;
    UIAlertViewStyle style_ = UIAlertViewStyle::Default;
    std::vector<UITextFieldPtr> fields_;
    bool visible_ = false;
    bool dismissing_ = false;
    bool forwardingKey_ = false;

    std::shared_ptr<UIView> box_;
    std::shared_ptr<UILabel> titleLabel_, messageLabel_;
    std::vector<UIButtonPtr> buttons_;
};

using UIAlertViewPtr = std::shared_ptr<UIAlertView>;

}  // namespace uikit
