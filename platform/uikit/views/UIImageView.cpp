#include "platform/uikit/views/UIImageView.h"

#include <algorithm>

#include "platform/uikit/drawing/UIImageDrawing.h"

namespace uikit {

// Drawn straight from the image every frame: a bitmap copy would cost more than it saves.
UIImageView::UIImageView(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
    setOpaque(false);
    setDrawsContent(true, false);
}

UIImageView::UIImageView(UIImagePtr image)
    : UIImageView(image ? CGRectMake(0, 0, image->width(), image->height()) : CGRectZero) {
    image_ = std::move(image);
}

void UIImageView::setImage(UIImagePtr image) { image_ = std::move(image); }

CGSize UIImageView::sizeThatFits(CGSize) const { return image_ ? CGSize{image_->width(), image_->height()} : CGSize{}; }
CGSize UIImageView::intrinsicContentSize() const {
    return image_ ? CGSize{image_->width(), image_->height()} : CGSize{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}

CGRect UIImageView::imageRect() const {
    const CGRect b = bounds();
    if (!image_) return CGRectZero;
    const double iw = image_->width(), ih = image_->height(), w = b.size.width, h = b.size.height;
    if (iw <= 0 || ih <= 0) return CGRectZero;
    switch (contentMode()) {
        case UIViewContentMode::ScaleToFill:
        case UIViewContentMode::Redraw: return b;
        case UIViewContentMode::ScaleAspectFit:
        case UIViewContentMode::ScaleAspectFill: {
            const double s = contentMode() == UIViewContentMode::ScaleAspectFit ? std::min(w / iw, h / ih)
                                                                                : std::max(w / iw, h / ih);
            return CGRectMake(b.origin.x + (w - iw * s) / 2, b.origin.y + (h - ih * s) / 2, iw * s, ih * s);
        }
        case UIViewContentMode::Center: return CGRectMake(b.origin.x + (w - iw) / 2, b.origin.y + (h - ih) / 2, iw, ih);
        case UIViewContentMode::Top: return CGRectMake(b.origin.x + (w - iw) / 2, b.origin.y, iw, ih);
        case UIViewContentMode::Bottom: return CGRectMake(b.origin.x + (w - iw) / 2, b.origin.y + h - ih, iw, ih);
        case UIViewContentMode::Left: return CGRectMake(b.origin.x, b.origin.y + (h - ih) / 2, iw, ih);
        case UIViewContentMode::Right: return CGRectMake(b.origin.x + w - iw, b.origin.y + (h - ih) / 2, iw, ih);
    }
    return b;
}

void UIImageView::tintColorDidChange() { setNeedsDisplay(); }

void UIImageView::drawLayer(CALayer&, cairo_t* cr) {
    if (!image_) return;
    const UIColor tint = tintColor();
    drawImageInRect(cr, *image_, imageRect(), &tint);
}

}  // namespace uikit
