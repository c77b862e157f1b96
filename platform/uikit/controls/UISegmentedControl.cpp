#include "platform/uikit/controls/UISegmentedControl.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/events/UIEvent.h"

namespace uikit {

UISegmentedControl::UISegmentedControl(std::vector<std::string> items) : UIControl(CGRectMake(0, 0, 0, 29)) {
    setDrawsContent(true);
    setOpaque(false);
    for (auto& item : items) {
        auto label = std::make_shared<UILabel>();
        label->setText(item);
        label->setFont(UIFont::systemFontOfSize(13));
        label->setTextAlignment(NSTextAlignment::Center);
        label->setUserInteractionEnabled(false);
        addSubview(label);
        labels_.push_back(std::move(label));
    }
    restyle();
}

std::string UISegmentedControl::titleForSegmentAtIndex(long index) const {
    return index >= 0 && index < numberOfSegments() ? labels_[index]->text() : std::string();
}

void UISegmentedControl::setSelectedSegmentIndex(long index) {
    selected_ = index >= 0 && index < numberOfSegments() ? index : kNoSegment;
    restyle();
}

void UISegmentedControl::tintColorDidChange() { restyle(); }

void UISegmentedControl::restyle() {
    for (long i = 0; i < numberOfSegments(); ++i) labels_[i]->setTextColor(i == selected_ ? colors::whiteColor : tintColor());
    setNeedsDisplay();
}

void UISegmentedControl::layoutSubviews() {
    const CGSize size = bounds().size;
    const double w = labels_.empty() ? 0 : size.width / labels_.size();
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i]->setFrame(CGRectMake(w * i, 0, w, size.height));
}

void UISegmentedControl::drawRect(const CGRect&) {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    const CGSize size = bounds().size;
    if (labels_.empty() || size.width <= 1 || size.height <= 1) return;
    const double w = size.width / labels_.size();
    cairo_save(cr);
    addRoundedRect(cr, CGRectMake(0.5, 0.5, size.width - 1, size.height - 1), 4);
    cairo_clip_preserve(cr);
    setSourceColor(cr, tintColor());
    if (selected_ != kNoSegment) {
        cairo_save(cr);
        cairo_rectangle(cr, w * selected_, 0, w, size.height);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (size_t i = 1; i < labels_.size(); ++i) {
        cairo_move_to(cr, std::round(w * i) + 0.5, 0);
        cairo_line_to(cr, std::round(w * i) + 0.5, size.height);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void UISegmentedControl::endTrackingWithTouch(const UITouch* touch, const UIEvent* event) {
    UIControl::endTrackingWithTouch(touch, event);
    if (!touch || labels_.empty() || !isTouchInside()) return;
    const CGPoint p = touch->locationInView(this);
    const long index = long(p.x / (bounds().size.width / labels_.size()));
    if (index < 0 || index >= numberOfSegments() || index == selected_) return;
    setSelectedSegmentIndex(index);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

bool UISegmentedControl::pressFocusedKey(UIKey key) {
    if (key != UIKey::Left && key != UIKey::Right) return false;
    const long next = std::clamp(selected_ + (key == UIKey::Right ? 1 : -1), 0L, numberOfSegments() - 1);
    if (next != selected_) {
        auto keep = weak_from_this().lock();
        setSelectedSegmentIndex(next);
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
    return true;
}

}  // namespace uikit
