#include "platform/uikit/controls/UITextView.h"

#include <glib.h>

#include <algorithm>

#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/services/UIPasteboard.h"

namespace uikit {
namespace {

constexpr double kInsetX = 5, kInsetY = 8;

// Valid UTF-8 with "\r\n" and lone "\r" as "\n".
std::string normalized(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), gssize(text.size()));
    std::string out;
    for (const char* p = valid; *p; ++p) {
        if (*p == '\r') {
            out += '\n';
            if (p[1] == '\n') ++p;
        } else {
            out += *p;
        }
    }
    g_free(valid);
    return out;
}

}  // namespace

UITextView::UITextView(const CGRect& frame) : UIControl(frame), font_(UIFont::systemFontOfSize(17)) {
    setDrawsContent(true);
    setBackgroundColor(UISystemColor::secondarySystemGroupedBackground);
}

void UITextView::setText(const std::string& text) { text_ = normalized(text), setNeedsDisplay(); }
void UITextView::setFont(UIFontPtr font) { font_ = font ? std::move(font) : UIFont::systemFontOfSize(17), setNeedsDisplay(); }
void UITextView::setTextColor(const UIColor& color) { textColor_ = color, setNeedsDisplay(); }

void UITextView::setEditable(bool editable) {
    editable_ = editable;
    if (!editable && editing_) resignFirstResponder();
}

void UITextView::append(const std::string& text) {
    if (text.empty()) return;
    text_ += text;
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

bool UITextView::insertText(const std::string& text) {
    if (!editing_) return UIControl::insertText(text);
    append(normalized(text));
    return true;
}

bool UITextView::pressKey(UIKey key) {
    if (!editing_) return UIControl::pressKey(key);
    switch (key) {
        case UIKey::Return: append("\n"); return true;
        case UIKey::Backspace:
            if (!text_.empty()) {
                size_t i = text_.size() - 1;
                while (i > 0 && (static_cast<unsigned char>(text_[i]) & 0xC0) == 0x80) --i;
                text_.erase(i);
                setNeedsDisplay();
                sendActionsForControlEvents(UIControlEventEditingChanged);
            }
            return true;
        case UIKey::Paste:
            if (auto pasted = UIPasteboard::generalPasteboard().string()) insertText(*pasted);
            return true;
        case UIKey::Escape:
        case UIKey::Tab: return UIControl::pressKey(key);
        default: return true;
    }
}

void UITextView::endTrackingWithTouch(const UITouch* touch, const UIEvent*) {
    if (touch && CGRectContainsPoint(bounds(), touch->locationInView(this))) becomeFirstResponder();
}

void UITextView::didBecomeFirstResponder() {
    editing_ = true;
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
}

void UITextView::didResignFirstResponder() {
    editing_ = false;
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
}

void UITextView::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const CGRect area = CGRectInset(bounds(), kInsetX, kInsetY);
    const NSAttributedString content(text_, font_, textColor());
    PangoLayout* layout = content.layout(font_, textColor(), area.size.width, NSTextAlignment::Natural, 0);
    const CGSize size = layoutSize(layout);
    // Keep the end in view once the text outgrows the view.
    const double y = area.origin.y - std::max(0.0, size.height - area.size.height);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, bounds().size.width, bounds().size.height);
    cairo_clip(cr);
    drawLayout(cr, layout, {area.origin.x, y});
    if (editing_) {
        PangoRectangle end;
        pango_layout_index_to_pos(layout, int(text_.size()), &end);
        setSourceColor(cr, tintColor());
        cairo_rectangle(cr, area.origin.x + end.x / double(PANGO_SCALE), y + end.y / double(PANGO_SCALE), 2,
                        std::max(end.height / double(PANGO_SCALE), font_->lineHeight()));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    g_object_unref(layout);
}

}  // namespace uikit
