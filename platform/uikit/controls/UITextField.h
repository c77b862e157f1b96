#pragma once
// A one-line text field. Number and decimal pads keep only what their keys
// could type; an input accessory view is shown above the field while it edits.
// While editing it has a caret and a selection: the side arrows, Home and End
// move the caret (with Shift they stretch the selection), a press or drag of
// the mouse places them, typing and Backspace or Delete replace the
// selection, and select all, copy, cut and paste use the general pasteboard.

#include <algorithm>
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
    // Unless set, the platform label color of the look in force.
    UIColor textColor() const { return textColor_.value_or(systemColor(UISystemColor::label)); }
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

    // Byte offsets into the UTF-8 text, always on character boundaries: the
    // selection runs between the anchor and the caret.
    size_t caretOffset() const { return caret_; }
    size_t selectionStart() const { return std::min(anchor_, caret_); }
    size_t selectionEnd() const { return std::max(anchor_, caret_); }
    std::string selectedText() const { return text_.substr(selectionStart(), selectionEnd() - selectionStart()); }
    // Clamped to the text and moved back onto a character boundary.
    void setSelectedRange(size_t anchor, size_t caret);
    void selectAll() { setSelectedRange(0, text_.size()); }
    // Where the caret is drawn, in the field's coordinates.
    CGRect caretRect() const;
    // The offset of the character boundary nearest to `point` (the field's coordinates).
    size_t offsetAtPoint(CGPoint point) const;

    // What the keyboard type lets through of `typed`, given the text so far.
    static std::string filteredForKeyboard(UIKeyboardType type, const std::string& current, const std::string& typed);

    bool canBecomeFirstResponder() const override;
    bool canResignFirstResponder() const override;
    bool insertText(const std::string& text) override;
    bool pressKey(UIKey key) override;
    bool pressKeyWithModifiers(UIKey key, unsigned modifiers) override;
    bool canBecomeFocused() const override { return isEnabled(); }
    CGSize sizeThatFits(CGSize size) const override;

protected:
    void drawRect(const CGRect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;

private:
    struct TextLayout;
    // The text as drawn (bullets when secure) laid out where it is drawn.
    TextLayout layoutText() const;
    // Between offsets of the text and of what is shown (a bullet is three bytes).
    size_t shownOffset(size_t offset) const;
    size_t textOffset(size_t shownOffset) const;
    // The caret moved one character left or right, or to an end.
    size_t stepped(size_t offset, UIKey key) const;
    bool replaceSelection(const std::string& with);
    void copySelection() const;
    bool replace(size_t location, size_t length, const std::string& with);
    void showAccessory();
    void hideAccessory();

    std::string text_, placeholder_;
    UIFontPtr font_;
    std::optional<UIColor> textColor_;
    NSTextAlignment alignment_ = NSTextAlignment::Natural;
    UITextBorderStyle borderStyle_ = UITextBorderStyle::None;
    UIKeyboardType keyboardType_ = UIKeyboardType::Default;
    bool secure_ = false;
    bool editing_ = false;
    size_t caret_ = 0, anchor_ = 0;
    bool placedByTouch_ = false;  // a press of this touch already put the caret
    UIViewPtr accessory_;
    std::weak_ptr<UITextFieldDelegate> delegate_;
};

using UITextFieldPtr = std::shared_ptr<UITextField>;

}  // namespace uikit
