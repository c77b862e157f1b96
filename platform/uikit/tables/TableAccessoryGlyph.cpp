#include "platform/uikit/tables/TableAccessoryGlyph.h"

namespace uikit {

TableAccessoryGlyph::TableAccessoryGlyph(UITableViewCellAccessoryType type) : type_(type) {
    setOpaque(false);
    setUserInteractionEnabled(false);
    setDrawsContent(true);
    setFrame({{0, 0}, sizeThatFits({})});
}

CGSize TableAccessoryGlyph::sizeThatFits(CGSize) const {
    return type_ == UITableViewCellAccessoryType::Checkmark ? CGSize{14, 11} : CGSize{8, 13};
}

void TableAccessoryGlyph::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) return;
    const CGSize s = bounds().size;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (type_ == UITableViewCellAccessoryType::Checkmark) {
        setSourceColor(cr, tintColor());
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, 1.5, s.height * 0.55);
        cairo_line_to(cr, s.width * 0.36, s.height - 1.5);
        cairo_line_to(cr, s.width - 1.5, 1.5);
    } else {
        setSourceColor(cr, systemColor(UISystemColor::tertiaryLabel));
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, 1.5, 1.5);
        cairo_line_to(cr, s.width - 1.5, s.height / 2);
        cairo_line_to(cr, 1.5, s.height - 1.5);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace uikit
