#include "platform/uikit/drawing/NSAttributedString.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace uikit {
namespace {

guint16 channel(double v) { return guint16(std::lround(std::clamp(v, 0.0, 1.0) * 65535)); }

void addColor(PangoAttrList* list, const UIColor& c, guint start, guint end) {
    PangoAttribute* fg = pango_attr_foreground_new(channel(c.red()), channel(c.green()), channel(c.blue()));
    fg->start_index = start, fg->end_index = end;
    pango_attr_list_insert(list, fg);
    PangoAttribute* alpha = pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(c.alpha())));
    alpha->start_index = start, alpha->end_index = end;
    pango_attr_list_insert(list, alpha);
}

}  // namespace

NSAttributedString::NSAttributedString(std::string text, UIFontPtr font, std::optional<UIColor> color)
    : text_(std::move(text)) {
    if (!text_.empty() && (font || color)) runs_.push_back({0, text_.size(), std::move(font), color});
}

void NSAttributedString::append(const NSAttributedString& other) {
    const size_t offset = text_.size();
    text_ += other.text_;
    for (Run run : other.runs_) {
        run.start += offset;
        runs_.push_back(std::move(run));
    }
}

void NSAttributedString::addAttributes(size_t start, size_t length, UIFontPtr font, std::optional<UIColor> color) {
    start = std::min(start, text_.size());
    length = std::min(length, text_.size() - start);
    if (length) runs_.push_back({start, length, std::move(font), color});
}

bool NSAttributedString::operator==(const NSAttributedString& other) const {
    if (text_ != other.text_ || runs_.size() != other.runs_.size()) return false;
    for (size_t i = 0; i < runs_.size(); ++i) {
        const Run &a = runs_[i], &b = other.runs_[i];
        if (a.start != b.start || a.length != b.length || a.color != b.color || a.font != b.font) return false;
    }
    return true;
}

PangoLayout* NSAttributedString::layout(const UIFontPtr& defaultFont, const UIColor& defaultColor, double width,
                                        NSTextAlignment alignment, int lines) const {
    PangoLayout* made = pango_layout_new(UIFont::pangoContext());
    gchar* valid = g_utf8_make_valid(text_.c_str(), gssize(text_.size()));
    pango_layout_set_text(made, valid, -1);
    g_free(valid);
    const UIFontPtr font = defaultFont ? defaultFont : UIFont::systemFontOfSize(17);
    pango_layout_set_font_description(made, font->description());
    PangoAttrList* list = pango_attr_list_new();
    addColor(list, defaultColor, 0, G_MAXUINT);
    for (const Run& run : runs_) {
        const guint start = guint(run.start), end = guint(run.start + run.length);
        if (run.font) {
            PangoAttribute* a = pango_attr_font_desc_new(run.font->description());
            a->start_index = start, a->end_index = end;
            pango_attr_list_insert(list, a);
        }
        if (run.color) addColor(list, *run.color, start, end);
    }
    pango_layout_set_attributes(made, list);
    pango_attr_list_unref(list);
    if (width > 0 && std::isfinite(width)) {
        pango_layout_set_width(made, int(width * PANGO_SCALE));
        pango_layout_set_wrap(made, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_ellipsize(made, lines == 1 ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
    }
    if (lines > 0) pango_layout_set_height(made, -lines);
    switch (alignment) {
        case NSTextAlignment::Center: pango_layout_set_alignment(made, PANGO_ALIGN_CENTER); break;
        case NSTextAlignment::Right: pango_layout_set_alignment(made, PANGO_ALIGN_RIGHT); break;
        case NSTextAlignment::Justified: pango_layout_set_justify(made, TRUE); break;
        default: pango_layout_set_alignment(made, PANGO_ALIGN_LEFT); break;
    }
    return made;
}

CGSize NSAttributedString::size(const UIFontPtr& defaultFont) const { return boundingSize(defaultFont, 0, 0); }

CGSize NSAttributedString::boundingSize(const UIFontPtr& defaultFont, double width, int lines) const {
    PangoLayout* l = layout(defaultFont, colors::blackColor, width, NSTextAlignment::Left, lines);
    const CGSize size = layoutSize(l);
    g_object_unref(l);
    return size;
}

CGSize layoutSize(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return {logical.width / double(PANGO_SCALE), logical.height / double(PANGO_SCALE)};
}

void drawLayout(cairo_t* cr, PangoLayout* layout, CGPoint origin) {
    cairo_save(cr);
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
}

}  // namespace uikit
