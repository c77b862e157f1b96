#pragma once
// Editable text of several lines, wrapped to the width; Return starts a new
// line. Text beyond the bottom scrolls up so the end being typed stays in view.

#include <string>

#include "platform/uikit/controls/UIControl.h"
#include "platform/uikit/drawing/NSAttributedString.h"

namespace uikit {

class UITextView : public UIControl {
public:
    explicit UITextView(const CGRect& frame = CGRectZero);

    const std::string& text() const { return text_; }
    // Sets the text as given (line breaks kept, invalid UTF-8 repaired), sending nothing.
    void setText(const std::string& text);
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    // Unless set, the platform label color of the look in force.
    UIColor textColor() const { return textColor_.value_or(systemColor(UISystemColor::label)); }
    void setTextColor(const UIColor& color);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    bool isEditing() const { return editing_; }

    bool canBecomeFirstResponder() const override { return editable_ && isEnabled(); }
    bool insertText(const std::string& text) override;
    bool pressKey(UIKey key) override;

protected:
    void drawRect(const CGRect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;

private:
    void append(const std::string& text);

    std::string text_;
    UIFontPtr font_;
    std::optional<UIColor> textColor_;
    bool editable_ = true;
    bool editing_ = false;
};

using UITextViewPtr = std::shared_ptr<UITextView>;

}  // namespace uikit
