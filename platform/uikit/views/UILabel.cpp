#include "platform/uikit/views/UILabel.h"

#include <cmath>

#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {

UILabel::UILabel(const CGRect& frame) : UIView(frame), font_(UIFont::systemFontOfSize(17)) {
    setUserInteractionEnabled(false);
    setOpaque(false);
    setDrawsContent(true);
}

UILabel::~UILabel() {
    if (layout_) g_object_unref(layout_);
}

void UILabel::textChanged() {
    if (layout_) g_object_unref(layout_);
    layout_ = nullptr;
    layoutWidth_ = -1;
    setNeedsDisplay();
}

void UILabel::setText(const std::string& text) {
    if (text == text_.string() && text_.runs().empty()) return;
    text_ = NSAttributedString(text);
    textChanged();
}

void UILabel::setAttributedText(const NSAttributedString& text) {
    if (text == text_) return;
    text_ = text;
    textChanged();
}

void UILabel::setFont(UIFontPtr font) {
    font_ = font ? std::move(font) : UIFont::systemFontOfSize(17);
    textChanged();
}

void UILabel::setTextColor(const UIColor& color) {
    textRole_.reset();
    if (color == textColor_) return;
    textColor_ = color;
    textChanged();
}

void UILabel::setTextColor(UISystemColor color) {
    setTextColor(systemColor(color));
    textRole_ = color;
}

void UILabel::traitCollectionDidChange() {
    if (textRole_) setTextColor(*textRole_);
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
    alignment_ = alignment;
    textChanged();
}

void UILabel::setNumberOfLines(int lines) {
    lines_ = std::max(lines, 0);
    textChanged();
}

PangoLayout* UILabel::layoutForWidth(double width) const {
    if (!layout_ || layoutWidth_ != width) {
        if (layout_) g_object_unref(layout_);
        layout_ = text_.layout(font_, textColor_, width, alignment_, lines_);
        layoutWidth_ = width;
    }
    return layout_;
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    if (text_.string().empty()) return {0, 0};
    const double width = lines_ == 1 ? 0 : size.width;
    const CGSize s = text_.boundingSize(font_, width > 0 ? width : 0, lines_);
    return {std::ceil(s.width), std::ceil(s.height)};
}

void UILabel::drawRect(const CGRect&) { drawTextInRect(bounds()); }

void UILabel::drawTextInRect(const CGRect& rect) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr || text_.string().empty()) return;
    PangoLayout* layout = layoutForWidth(rect.size.width);
    const CGSize size = layoutSize(layout);
    drawLayout(cr, layout, {rect.origin.x, rect.origin.y + (rect.size.height - size.height) / 2});
}

}  // namespace uikit
