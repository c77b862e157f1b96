#pragma once
// One or more lines of text, plain or attributed, vertically centred in the bounds.

#include <pango/pango.h>

#include "platform/uikit/drawing/NSAttributedString.h"
#include "platform/uikit/views/UIView.h"

namespace uikit {

class UILabel : public UIView {
public:
    explicit UILabel(const CGRect& frame = CGRectZero);
    ~UILabel() override;

    const std::string& text() const { return text_.string(); }
    void setText(const std::string& text);
    const NSAttributedString& attributedText() const { return text_; }
    void setAttributedText(const NSAttributedString& text);
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    UIColor textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    // A platform color that follows the light or dark look; a new label's is `label`.
    void setTextColor(UISystemColor color);
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment);
    int numberOfLines() const { return lines_; }
    void setNumberOfLines(int lines);

    CGSize sizeThatFits(CGSize size) const override;
    CGSize intrinsicContentSize() const override { return sizeThatFits({0, 0}); }

protected:
    void drawRect(const CGRect& rect) override;
    void traitCollectionDidChange() override;
    // Where the text is drawn; the base centres it vertically in `rect`.
    virtual void drawTextInRect(const CGRect& rect);

private:
    PangoLayout* layoutForWidth(double width) const;
    void textChanged();

    NSAttributedString text_;
    UIFontPtr font_;
    std::optional<UISystemColor> textRole_ = UISystemColor::label;
    UIColor textColor_ = systemColor(UISystemColor::label);
    NSTextAlignment alignment_ = NSTextAlignment::Natural;
    int lines_ = 1;
    mutable PangoLayout* layout_ = nullptr;  // for layoutWidth_
    mutable double layoutWidth_ = -1;
};

}  // namespace uikit
