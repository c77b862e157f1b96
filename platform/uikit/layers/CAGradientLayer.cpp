#include "platform/uikit/layers/CAGradientLayer.h"

#include "platform/uikit/drawing/UIBezierPath.h"

namespace uikit {

void CAGradientLayer::drawInContext(cairo_t* cr) {
    if (!colors_.empty()) {
        const CGRect b = bounds();
        auto at = [&](CGPoint unit) {
            return CGPointMake(b.origin.x + unit.x * b.size.width, b.origin.y + unit.y * b.size.height);
        };
        const CGPoint s = at(startPoint_), e = at(endPoint_);
        cairo_pattern_t* pattern = cairo_pattern_create_linear(s.x, s.y, e.x, e.y);
        const bool given = locations_.size() == colors_.size();
        for (size_t i = 0; i < colors_.size(); ++i) {
            const double offset = given ? locations_[i] : colors_.size() == 1 ? 0 : double(i) / double(colors_.size() - 1);
            const UIColor& c = colors_[i];
            cairo_pattern_add_color_stop_rgba(pattern, offset, c.red(), c.green(), c.blue(), c.alpha());
        }
        cairo_save(cr);
        // The gradient fills the layer's shape, rounded corners included, as a background does.
        cairo_new_path(cr);
        addRoundedRect(cr, b, cornerRadius(), cornerRadius() > 0 ? maskedCorners() : 0);
        cairo_clip(cr);
        cairo_set_source(cr, pattern);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_pattern_destroy(pattern);
    }
    CALayer::drawInContext(cr);
}

}  // namespace uikit
