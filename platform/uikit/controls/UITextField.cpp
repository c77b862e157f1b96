#include "platform/uikit/controls/UITextField.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/services/UIPasteboard.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

constexpr double kInset = 7;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What secure entry shows for each character; three bytes of UTF-8.
constexpr const char* kBullet = "\u2022";
constexpr size_t kBulletBytes = 3;

}  // namespace

struct UITextField::TextLayout {
    std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout{nullptr, g_object_unref};
    std::string shown;
    CGRect area;
    CGPoint origin;
    CGSize size;
    bool placeholder = false;
};

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
    caret_ = anchor_ = text_.size();
    setNeedsDisplay();
}

void UITextField::setSelectedRange(size_t anchor, size_t caret) {
    auto boundary = [this](size_t offset) {
        offset = std::min(offset, text_.size());
        while (offset > 0 && offset < text_.size() && (static_cast<unsigned char>(text_[offset]) & 0xC0) == 0x80) --offset;
        return offset;
    };
    anchor_ = boundary(anchor);
    caret_ = boundary(caret);
    setNeedsDisplay();
}

size_t UITextField::stepped(size_t offset, UIKey key) const {
    const char* start = text_.c_str();
    switch (key) {
        case UIKey::Left: return offset == 0 ? 0 : size_t(g_utf8_find_prev_char(start, start + offset) - start);
        case UIKey::Right: return offset >= text_.size() ? text_.size() : size_t(g_utf8_next_char(start + offset) - start);
        case UIKey::Home: return 0;
        default: return text_.size();
    }
}

size_t UITextField::shownOffset(size_t offset) const {
    return secure_ ? size_t(g_utf8_strlen(text_.c_str(), gssize(offset))) * kBulletBytes : offset;
}

size_t UITextField::textOffset(size_t shown) const {
    if (!secure_) return std::min(shown, text_.size());
    const glong characters = std::min(glong(shown / kBulletBytes), g_utf8_strlen(text_.c_str(), -1));
    return size_t(g_utf8_offset_to_pointer(text_.c_str(), characters) - text_.c_str());
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
    caret_ = anchor_ = location + with.size();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
    return true;
}

bool UITextField::replaceSelection(const std::string& with) {
    return replace(selectionStart(), selectionEnd() - selectionStart(), with);
}

void UITextField::copySelection() const {
    // A password is never put where other programs read it.
    if (secure_ || selectionStart() == selectionEnd()) return;
    UIPasteboard::generalPasteboard().setString(selectedText());
}

bool UITextField::insertText(const std::string& typed) {
    if (!editing_) return UIControl::insertText(typed);
    gchar* valid = g_utf8_make_valid(typed.c_str(), gssize(typed.size()));
    // The keyboard's filter sees the text as it will be around what is typed.
    const std::string around = text_.substr(0, selectionStart()) + text_.substr(selectionEnd());
    const std::string kept = filteredForKeyboard(keyboardType_, around, valid);
    g_free(valid);
    if (!kept.empty()) replaceSelection(kept);
    return true;
}

bool UITextField::pressKey(UIKey key) { return pressKeyWithModifiers(key, UIKeyModifierNone); }

bool UITextField::pressKeyWithModifiers(UIKey key, unsigned modifiers) {
    if (!editing_) return UIControl::pressKey(key);
    const bool extend = modifiers & UIKeyModifierShift;
    const bool selection = selectionStart() != selectionEnd();
    switch (key) {
        case UIKey::Backspace:
        case UIKey::Delete:
            if (selection) replaceSelection("");
            else if (const size_t to = stepped(caret_, key == UIKey::Delete ? UIKey::Right : UIKey::Left); to != caret_)
                replace(std::min(to, caret_), to > caret_ ? to - caret_ : caret_ - to, "");
            return true;
        case UIKey::Left:
        case UIKey::Right:
            // Without Shift a selection collapses to the side the arrow points to.
            if (!extend && selection) {
                const size_t side = key == UIKey::Left ? selectionStart() : selectionEnd();
                setSelectedRange(side, side);
                return true;
            }
            [[fallthrough]];
        case UIKey::Home:
        case UIKey::End: {
            const size_t to = stepped(caret_, key);
            setSelectedRange(extend ? anchor_ : to, to);
            return true;
        }
        case UIKey::SelectAll: selectAll(); return true;
        case UIKey::Copy: copySelection(); return true;
        case UIKey::Cut:
            if (!secure_ && selection) {
                copySelection();
                replaceSelection("");
            }
            return true;
        case UIKey::Paste:
            if (auto pasted = UIPasteboard::generalPasteboard().string(); pasted && !pasted->empty()) insertText(*pasted);
            return true;
        case UIKey::Return: {
            auto keep = weak_from_this().lock();
            if (auto d = delegate_.lock()) d->textFieldShouldReturn(*this);
            sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
            return true;
        }
        // Leaving the field, going back and scrolling are the window's.
        case UIKey::Escape:
        case UIKey::Tab:
        case UIKey::Up:
        case UIKey::Down:
        case UIKey::PageUp:
        case UIKey::PageDown: return UIControl::pressKey(key);
        case UIKey::Space: return true;  // the space itself arrives as text
    }
    return true;
}

bool UITextField::beginTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    // The press that starts editing leaves the caret at the end; later ones place it.
    placedByTouch_ = editing_;
    if (editing_) {
        const size_t at = offsetAtPoint(touch.locationInView(this));
        setSelectedRange(at, at);
    }
    return true;
}

bool UITextField::continueTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    if (placedByTouch_ && editing_) setSelectedRange(anchor_, offsetAtPoint(touch.locationInView(this)));
    return true;
}

void UITextField::endTrackingWithTouch(const UITouch* touch, const UIEvent*) {
    if (touch && CGRectContainsPoint(bounds(), touch->locationInView(this))) becomeFirstResponder();
}

void UITextField::didBecomeFirstResponder() {
    auto keep = weak_from_this().lock();
    editing_ = true;
    caret_ = anchor_ = text_.size();
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

UITextField::TextLayout UITextField::layoutText() const {
    TextLayout t;
    t.placeholder = text_.empty();
    if (secure_) {
        const glong n = g_utf8_strlen(text_.c_str(), -1);
        for (glong i = 0; i < n; ++i) t.shown += kBullet;
    } else {
        t.shown = text_;
    }
    const NSAttributedString content(t.placeholder ? placeholder_ : t.shown, font_,
                                     t.placeholder ? systemColor(UISystemColor::placeholderText) : textColor());
    t.area = CGRectInset(bounds(), kInset, 0);
    t.layout.reset(content.layout(font_, textColor(), t.area.size.width, alignment_, 1));
    t.size = layoutSize(t.layout.get());
    t.origin = {t.area.origin.x, t.area.origin.y + (t.area.size.height - t.size.height) / 2};
    return t;
}

CGRect UITextField::caretRect() const {
    const TextLayout t = layoutText();
    PangoRectangle at;
    pango_layout_index_to_pos(t.layout.get(), t.placeholder ? 0 : int(shownOffset(caret_)), &at);
    double x = t.origin.x + at.x / double(PANGO_SCALE);
    if (t.placeholder && alignment_ == NSTextAlignment::Center) x = CGRectGetMidX(t.area);
    if (t.placeholder && alignment_ == NSTextAlignment::Right) x = CGRectGetMaxX(t.area);
    return CGRectMake(std::clamp(x, t.area.origin.x, std::max(t.area.origin.x, CGRectGetMaxX(t.area) - 2)), t.origin.y,
                      2, std::max(t.size.height, font_->lineHeight()));
}

size_t UITextField::offsetAtPoint(CGPoint point) const {
    if (text_.empty()) return 0;
    const TextLayout t = layoutText();
    int index = 0, trailing = 0;
    pango_layout_xy_to_index(t.layout.get(), int((point.x - t.origin.x) * PANGO_SCALE),
                             int(std::clamp(point.y - t.origin.y, 0.0, std::max(0.0, t.size.height - 1)) * PANGO_SCALE),
                             &index, &trailing);
    const char* at = t.shown.c_str() + std::clamp(index, 0, int(t.shown.size()));
    for (int i = 0; i < trailing && *at; ++i) at = g_utf8_next_char(at);
    return textOffset(size_t(at - t.shown.c_str()));
}

void UITextField::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const CGRect b = bounds();
    if (borderStyle_ == UITextBorderStyle::RoundedRect) {
        addRoundedRect(cr, CGRectInset(b, 0.25, 0.25), 5);
        setSourceColor(cr, systemColor(UISystemColor::secondarySystemGroupedBackground));
        cairo_fill_preserve(cr);
        setSourceColor(cr, systemColor(UISystemColor::fieldBorder));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    } else if (borderStyle_ == UITextBorderStyle::Line || borderStyle_ == UITextBorderStyle::Bezel) {
        cairo_rectangle(cr, b.origin.x + 0.5, b.origin.y + 0.5, b.size.width - 1, b.size.height - 1);
        setSourceColor(cr, systemColor(UISystemColor::label));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    const TextLayout t = layoutText();
    if (editing_ && !t.placeholder && selectionStart() != selectionEnd()) {
        // One line: the selection is the band between its two ends.
        PangoRectangle from, to;
        pango_layout_index_to_pos(t.layout.get(), int(shownOffset(selectionStart())), &from);
        pango_layout_index_to_pos(t.layout.get(), int(shownOffset(selectionEnd())), &to);
        const double x0 = t.origin.x + from.x / double(PANGO_SCALE), x1 = t.origin.x + to.x / double(PANGO_SCALE);
        cairo_rectangle(cr, std::min(x0, x1), t.origin.y, std::fabs(x1 - x0), std::max(t.size.height, font_->lineHeight()));
        setSourceColor(cr, colorWithAlphaComponent(tintColor(), 0.25));
        cairo_fill(cr);
    }
    drawLayout(cr, t.layout.get(), t.origin);
    if (editing_ && selectionStart() == selectionEnd()) {
        const CGRect caret = caretRect();
        setSourceColor(cr, tintColor());
        cairo_rectangle(cr, caret.origin.x, caret.origin.y, caret.size.width, caret.size.height);
        cairo_fill(cr);
    }
}

}  // namespace uikit
