#pragma once
// A one-line text field. Number and decimal pads keep only what their keys
// could type; an input accessory view is shown above the field while it edits.

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/controls/UIControl.h"
#include "platform/uikit/drawing/NSAttributedString.h"

namespace uikit {

class UITextField;

enum class UIKeyboardType { Default, ASCIICapable, NumbersAndPunctuation, URL, NumberPad, PhonePad, EmailAddress, DecimalPad };
enum class UITextBorderStyle { None, Line, Bezel, RoundedRect };

// Every hook is optional: nullopt (or nothing done) is "not offered".
class UITextFieldDelegate {
public:
    virtual ~UITextFieldDelegate() = default;
    virtual std::optional<bool> textFieldShouldBeginEditing(UITextField&) { return std::nullopt; }
    virtual void textFieldDidBeginEditing(UITextField&) {}
    virtual std::optional<bool> textFieldShouldEndEditing(UITextField&) { return std::nullopt; }
    virtual void textFieldDidEndEditing(UITextField&) {}
    // `location` and `length` in bytes of the UTF-8 text.
    virtual std::optional<bool> textFieldShouldChangeCharactersInRange(UITextField&, size_t, size_t, const std::string&) {
        return std::nullopt;
    }
    virtual std::optional<bool> textFieldShouldReturn(UITextField&) { return std::nullopt; }
};

class UITextField : public UIControl {
public:
    explicit UITextField(const CGRect& frame = CGRectZero);
    ~UITextField() override;

    const std::string& text() const { return text_; }
    // Sets the text as given (no filtering), sending nothing.
    void setText(const std::string& text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(const std::string& placeholder);
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    UIColor textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment);
    UITextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(UITextBorderStyle style);
    UIKeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }
    bool isSecureTextEntry() const { return secure_; }
    void setSecureTextEntry(bool secure);
    const UIViewPtr& inputAccessoryView() const { return accessory_; }
    void setInputAccessoryView(UIViewPtr view);
    void setDelegate(std::weak_ptr<UITextFieldDelegate> delegate) { delegate_ = std::move(delegate); }
    std::shared_ptr<UITextFieldDelegate> delegate() const { return delegate_.lock(); }
    bool isEditing() const { return editing_; }

    // What the keyboard type lets through of `typed`, given the text so far.
    static std::string filteredForKeyboard(UIKeyboardType type, const std::string& current, const std::string& typed);

    bool canBecomeFirstResponder() const override;
    bool canResignFirstResponder() const override;
    bool insertText(const std::string& text) override;
    bool pressKey(UIKey key) override;
    CGSize sizeThatFits(CGSize size) const override;

protected:
    void drawRect(const CGRect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;

private:
    bool replace(size_t location, size_t length, const std::string& with);
    void showAccessory();
    void hideAccessory();

    std::string text_, placeholder_;
    UIFontPtr font_;
    UIColor textColor_ = colors::blackColor;
    NSTextAlignment alignment_ = NSTextAlignment::Natural;
    UITextBorderStyle borderStyle_ = UITextBorderStyle::None;
    UIKeyboardType keyboardType_ = UIKeyboardType::Default;
    bool secure_ = false;
    bool editing_ = false;
    UIViewPtr accessory_;
    std::weak_ptr<UITextFieldDelegate> delegate_;
};

using UITextFieldPtr = std::shared_ptr<UITextField>;

}  // namespace uikit
