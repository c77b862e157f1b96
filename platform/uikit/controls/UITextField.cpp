#include "platform/uikit/controls/UITextField.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

constexpr double kInset = 7;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes of the last UTF-8 character of `s`.
size_t lastCharacterLength(const std::string& s) {
    if (s.empty()) return 0;
    size_t i = s.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    return s.size() - i;
}

}  // namespace

UITextField::UITextField(const CGRect& frame) : UIControl(frame), font_(UIFont::systemFontOfSize(17)) {
    setDrawsContent(true);
}

UITextField::~UITextField() {
    if (accessory_) accessory_->removeFromSuperview();
}

void UITextField::setText(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), gssize(text.size()));
    text_ = valid;
    g_free(valid);
    setNeedsDisplay();
}

void UITextField::setPlaceholder(const std::string& p) { placeholder_ = p, setNeedsDisplay(); }
void UITextField::setFont(UIFontPtr font) { font_ = font ? std::move(font) : UIFont::systemFontOfSize(17), setNeedsDisplay(); }
void UITextField::setTextColor(const UIColor& c) { textColor_ = c, setNeedsDisplay(); }
void UITextField::setTextAlignment(NSTextAlignment a) { alignment_ = a, setNeedsDisplay(); }
void UITextField::setBorderStyle(UITextBorderStyle s) { borderStyle_ = s, setNeedsDisplay(); }
void UITextField::setSecureTextEntry(bool s) { secure_ = s, setNeedsDisplay(); }

void UITextField::setInputAccessoryView(UIViewPtr view) {
    const bool shown = editing_;
    if (shown) hideAccessory();
    accessory_ = std::move(view);
    if (shown) showAccessory();
}

std::string UITextField::filteredForKeyboard(UIKeyboardType type, const std::string& current, const std::string& typed) {
    std::string kept;
    switch (type) {
        case UIKeyboardType::NumberPad:
            std::copy_if(typed.begin(), typed.end(), std::back_inserter(kept), isDigit);
            return kept;
        case UIKeyboardType::DecimalPad: {
            bool point = current.find('.') != std::string::npos;
            for (char c : typed) {
                if (isDigit(c)) kept += c;
                else if (c == '.' && !point) kept += c, point = true;
            }
            return kept;
        }
        case UIKeyboardType::PhonePad:
            std::copy_if(typed.begin(), typed.end(), std::back_inserter(kept),
                         [](char c) { return isDigit(c) || c == '+' || c == '*' || c == '#'; });
            return kept;
        default:
            // One line: line breaks never enter.
            std::copy_if(typed.begin(), typed.end(), std::back_inserter(kept), [](char c) { return c != '\n' && c != '\r'; });
            return kept;
    }
}

bool UITextField::canBecomeFirstResponder() const {
    if (!isEnabled()) return false;
    auto d = delegate_.lock();
    return !d || d->textFieldShouldBeginEditing(const_cast<UITextField&>(*this)).value_or(true);
}

bool UITextField::canResignFirstResponder() const {
    auto d = delegate_.lock();
    return !d || d->textFieldShouldEndEditing(const_cast<UITextField&>(*this)).value_or(true);
}

bool UITextField::replace(size_t location, size_t length, const std::string& with) {
    if (auto d = delegate_.lock())
        if (!d->textFieldShouldChangeCharactersInRange(*this, location, length, with).value_or(true)) return false;
    text_.replace(location, length, with);
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
    return true;
}

bool UITextField::insertText(const std::string& typed) {
    if (!editing_) return UIControl::insertText(typed);
    gchar* valid = g_utf8_make_valid(typed.c_str(), gssize(typed.size()));
    const std::string kept = filteredForKeyboard(keyboardType_, text_, valid);
    g_free(valid);
    if (!kept.empty()) replace(text_.size(), 0, kept);
    return true;
}

bool UITextField::pressKey(UIKey key) {
    if (!editing_) return UIControl::pressKey(key);
    switch (key) {
        case UIKey::Backspace:
            if (const size_t n = lastCharacterLength(text_)) replace(text_.size() - n, n, "");
            return true;
        case UIKey::Return: {
            auto keep = weak_from_this().lock();
            if (auto d = delegate_.lock()) d->textFieldShouldReturn(*this);
            sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
            return true;
        }
        case UIKey::Escape: return UIControl::pressKey(key);
        default: return true;
    }
}

void UITextField::endTrackingWithTouch(const UITouch* touch, const UIEvent*) {
    if (touch && CGRectContainsPoint(bounds(), touch->locationInView(this))) becomeFirstResponder();
}

void UITextField::didBecomeFirstResponder() {
    auto keep = weak_from_this().lock();
    editing_ = true;
    setNeedsDisplay();
    showAccessory();
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    if (auto d = delegate_.lock()) d->textFieldDidBeginEditing(*this);
}

void UITextField::didResignFirstResponder() {
    auto keep = weak_from_this().lock();
    editing_ = false;
    setNeedsDisplay();
    hideAccessory();
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    if (auto d = delegate_.lock()) d->textFieldDidEndEditing(*this);
}

void UITextField::showAccessory() {
    UIWindow* w = window();
    if (!accessory_ || !w) return;
    // Where the phone's keyboard would rise, the bar sits at the window's
    // bottom edge: never over the bars at the top, and not where a field that
    // is still being laid out happens to be.
    const double height = accessory_->frame().size.height > 0 ? accessory_->frame().size.height : 44;
    const CGSize window = w->bounds().size;
    accessory_->setFrame(CGRectMake(0, std::max(0.0, window.height - height), window.width, height));
    w->addOverlay(accessory_);
}

void UITextField::hideAccessory() {
    if (accessory_) accessory_->removeFromSuperview();
}

CGSize UITextField::sizeThatFits(CGSize size) const {
    return {size.width > 0 ? size.width : 100, std::ceil(font_->lineHeight()) + 2 * kInset};
}

void UITextField::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const CGRect b = bounds();
    if (borderStyle_ == UITextBorderStyle::RoundedRect) {
        addRoundedRect(cr, CGRectInset(b, 0.25, 0.25), 5);
        setSourceColor(cr, colors::whiteColor);
        cairo_fill_preserve(cr);
        setSourceColor(cr, UIColor::grey(0.8));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    } else if (borderStyle_ == UITextBorderStyle::Line || borderStyle_ == UITextBorderStyle::Bezel) {
        cairo_rectangle(cr, b.origin.x + 0.5, b.origin.y + 0.5, b.size.width - 1, b.size.height - 1);
        setSourceColor(cr, colors::blackColor);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    const bool showPlaceholder = text_.empty();
    std::string shown = text_;
    if (secure_) {
        const glong n = g_utf8_strlen(text_.c_str(), -1);
        shown.clear();
        for (glong i = 0; i < n; ++i) shown += "\u2022";
    }
    const NSAttributedString content(showPlaceholder ? placeholder_ : shown, font_,
                                     showPlaceholder ? UIColor::grey(0.7) : textColor_);
    const CGRect area = CGRectInset(b, kInset, 0);
    PangoLayout* layout = content.layout(font_, textColor_, area.size.width, alignment_, 1);
    const CGSize size = layoutSize(layout);
    const double y = area.origin.y + (area.size.height - size.height) / 2;
    drawLayout(cr, layout, {area.origin.x, y});
    if (editing_) {
        // The caret, at the end of the text.
        PangoRectangle end;
        pango_layout_index_to_pos(layout, showPlaceholder ? 0 : int(shown.size()), &end);
        double x = area.origin.x + end.x / double(PANGO_SCALE);
        if (showPlaceholder && alignment_ == NSTextAlignment::Center) x = CGRectGetMidX(area);
        setSourceColor(cr, tintColor());
        cairo_rectangle(cr, std::min(x, CGRectGetMaxX(area) - 2), y, 2, std::max(size.height, font_->lineHeight()));
        cairo_fill(cr);
    }
    g_object_unref(layout);
}

}  // namespace uikit
