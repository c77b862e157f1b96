#include "platform/uikit/layers/CALayer.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIImageDrawing.h"
#include "platform/uikit/views/UIClock.h"

namespace uikit {
namespace {

double progress(double begin, double duration, bool ease) {
    if (duration <= 0) return 1;
    const double t = std::clamp((UIClock::shared().now() - begin) / duration, 0.0, 1.0);
    return ease ? t * t * (3 - 2 * t) : t;
}

// The scale from user space to pixels of the target.
double deviceScale(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    const double det = std::fabs(m.xx * m.yy - m.xy * m.yx);
    return det > 0 ? std::sqrt(det) : 1;
}

bool finite(CGPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

CALayer::CALayer() = default;

CALayer::~CALayer() {
    for (auto& sub : sublayers_) sub->superlayer_ = nullptr;
    releaseBackingStore();
}

void CALayer::releaseBackingStore() {
    if (backing_) cairo_surface_destroy(backing_);
    backing_ = nullptr;
}

CGAffineTransform CALayer::placementTransform(const CGAffineTransform& t) const {
    // Bounds space -> superlayer space: move the anchor to the origin, transform, move to position.
    const double ax = bounds_.origin.x + anchorPoint_.x * bounds_.size.width;
    const double ay = bounds_.origin.y + anchorPoint_.y * bounds_.size.height;
    return CGAffineTransformConcat(CGAffineTransformConcat(CGAffineTransformMakeTranslation(-ax, -ay), t),
                                   CGAffineTransformMakeTranslation(position_.x, position_.y));
}

CGRect CALayer::frame() const {
    if (CGAffineTransformIsIdentity(transform_))
        return CGRectMake(position_.x - anchorPoint_.x * bounds_.size.width,
                          position_.y - anchorPoint_.y * bounds_.size.height, bounds_.size.width, bounds_.size.height);
    return CGRectApplyAffineTransform(bounds_, placementTransform(transform_));
}

void CALayer::setFrame(const CGRect& frame) {
    if (!CGRectIsFinite(frame)) {
        foundation::logLine("uikit: refused a frame that is not finite");
        return;
    }
    const CGRect f = CGRectStandardize(frame);
    if (CGAffineTransformIsIdentity(transform_)) {
        bounds_.size = f.size;
        position_ = {f.origin.x + anchorPoint_.x * f.size.width, f.origin.y + anchorPoint_.y * f.size.height};
    } else {
        // As the platform: only the centre is defined under a transform.
        position_ = {CGRectGetMidX(f), CGRectGetMidY(f)};
    }
}

void CALayer::setBounds(const CGRect& bounds) {
    if (!CGRectIsFinite(bounds)) {
        foundation::logLine("uikit: refused bounds that are not finite");
        return;
    }
    bounds_ = bounds;
}

void CALayer::setPosition(CGPoint p) {
    if (!finite(p)) {
        foundation::logLine("uikit: refused a position that is not finite");
        return;
    }
    position_ = p;
}

void CALayer::setAnchorPoint(CGPoint a) {
    if (finite(a)) anchorPoint_ = a;
}

void CALayer::setAffineTransform(const CGAffineTransform& t) {
    if (!CGAffineTransformIsFinite(t)) {
        foundation::logLine("uikit: refused a transform that is not finite");
        return;
    }
    transform_ = t;
}

void CALayer::setCornerRadius(double r) { cornerRadius_ = std::isfinite(r) ? std::max(r, 0.0) : 0; }
void CALayer::setBorderWidth(double w) { borderWidth_ = std::isfinite(w) ? std::max(w, 0.0) : 0; }
void CALayer::setOpacity(double o) { opacity_ = std::isfinite(o) ? std::clamp(o, 0.0, 1.0) : 1; }

void CALayer::setDrawsContent(bool draws, bool cached) {
    drawsContent_ = draws;
    cachesContent_ = cached;
    if (!draws || !cached) releaseBackingStore();
    needsDisplay_ = true;
}

double CALayer::presentationOpacity() const {
    if (!opacityAnimation_) return opacity_;
    const auto& a = *opacityAnimation_;
    if (UIClock::shared().now() >= a.begin + a.duration) return opacity_;
    return a.from + (a.to - a.from) * progress(a.begin, a.duration, a.easeInOut);
}

CGAffineTransform CALayer::presentationTransform() const {
    if (!transformAnimation_) return transform_;
    const auto& a = *transformAnimation_;
    if (UIClock::shared().now() >= a.begin + a.duration) return transform_;
    return CGAffineTransformInterpolate(a.from, a.to, progress(a.begin, a.duration, a.easeInOut));
}

void CALayer::removeAnimations(int id) {
    if (opacityAnimation_ && (id == 0 || opacityAnimation_->animationID == id)) opacityAnimation_.reset();
    if (transformAnimation_ && (id == 0 || transformAnimation_->animationID == id)) transformAnimation_.reset();
}

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer) { insertSublayerAtIndex(layer, sublayers_.size()); }

void CALayer::insertSublayerAtIndex(const std::shared_ptr<CALayer>& layer, size_t index) {
    if (!layer || layer.get() == this) return;
    auto keep = layer;  // removal may drop the last other owner
    if (layer->superlayer_ == this) {
        auto it = std::find(sublayers_.begin(), sublayers_.end(), layer);
        const size_t at = size_t(it - sublayers_.begin());
        sublayers_.erase(it);
        if (at < index) --index;
    } else {
        layer->removeFromSuperlayer();
    }
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + long(index), keep);
    keep->superlayer_ = this;
}

void CALayer::insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const CALayer* sibling) {
    auto it = std::find_if(sublayers_.begin(), sublayers_.end(), [&](const auto& l) { return l.get() == sibling; });
    insertSublayerAtIndex(layer, it == sublayers_.end() ? 0 : size_t(it - sublayers_.begin()));
}

void CALayer::insertSublayerAbove(const std::shared_ptr<CALayer>& layer, const CALayer* sibling) {
    auto it = std::find_if(sublayers_.begin(), sublayers_.end(), [&](const auto& l) { return l.get() == sibling; });
    insertSublayerAtIndex(layer, it == sublayers_.end() ? sublayers_.size() : size_t(it - sublayers_.begin()) + 1);
}

void CALayer::removeFromSuperlayer() {
    CALayer* parent = superlayer_;
    if (!parent) return;
    superlayer_ = nullptr;
    auto self = shared_from_this();
    auto& list = parent->sublayers_;
    list.erase(std::remove(list.begin(), list.end(), self), list.end());
}

CGPoint CALayer::convertPointToSuperlayer(CGPoint p) const {
    return CGPointApplyAffineTransform(p, placementTransform(transform_));
}

CGPoint CALayer::convertPointFromSuperlayer(CGPoint p) const {
    return CGPointApplyAffineTransform(p, CGAffineTransformInvert(placementTransform(transform_)));
}

void CALayer::renderInSuperlayer(cairo_t* cr) {
    if (hidden_) return;
    const double alpha = presentationOpacity();
    if (alpha <= 0) return;
    cairo_save(cr);
    const CGAffineTransform t = placementTransform(presentationTransform());
    cairo_matrix_t m{t.a, t.b, t.c, t.d, t.tx, t.ty};
    cairo_transform(cr, &m);
    if (alpha < 1) {
        // The subtree is composited first, then faded as one.
        cairo_push_group(cr);
        renderInContext(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    } else {
        renderInContext(cr);
    }
    cairo_restore(cr);
}

void CALayer::renderInContext(cairo_t* cr) {
    const bool rounded = cornerRadius_ > 0 && maskedCorners_ != 0;
    auto shape = [&] {
        cairo_new_path(cr);
        if (rounded) addRoundedRect(cr, bounds_, cornerRadius_, maskedCorners_);
        else cairo_rectangle(cr, bounds_.origin.x, bounds_.origin.y, bounds_.size.width, bounds_.size.height);
    };
    cairo_save(cr);
    if (backgroundColor_ && backgroundColor_->alpha() > 0) {
        shape();
        setSourceColor(cr, *backgroundColor_);
        cairo_fill(cr);
    }
    if (masksToBounds_) {
        shape();
        cairo_clip(cr);
    }
    drawInContext(cr);
    for (size_t i = 0; i < sublayers_.size(); ++i) {
        auto keep = sublayers_[i];
        keep->renderInSuperlayer(cr);
    }
    if (borderWidth_ > 0 && borderColor_.alpha() > 0) {
        const double w = std::min(borderWidth_, std::min(bounds_.size.width, bounds_.size.height) / 2);
        cairo_new_path(cr);
        addRoundedRect(cr, CGRectInset(bounds_, w / 2, w / 2), std::max(cornerRadius_ - w / 2, 0.0),
                       rounded ? maskedCorners_ : 0);
        cairo_set_line_width(cr, w);
        setSourceColor(cr, borderColor_);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void CALayer::drawInContext(cairo_t* cr) {
    if (contents_) drawContentsImage(cr);
    if (!drawsContent_ || !delegate_) return;
    if (cachesContent_) {
        drawCachedDelegateContent(cr);
        return;
    }
    UIGraphicsPushContext(cr);
    delegate_->drawLayer(*this, cr);
    UIGraphicsPopContext();
}

void CALayer::drawContentsImage(cairo_t* cr) {
    const UIImage& image = *contents_;
    const double w = bounds_.size.width, h = bounds_.size.height, iw = image.width(), ih = image.height();
    if (iw <= 0 || ih <= 0) return;
    CGRect r = bounds_;
    switch (contentsGravity_) {
        case CAContentsGravity::Resize: break;
        case CAContentsGravity::ResizeAspect:
        case CAContentsGravity::ResizeAspectFill: {
            const double s = contentsGravity_ == CAContentsGravity::ResizeAspect ? std::min(w / iw, h / ih)
                                                                                  : std::max(w / iw, h / ih);
            r = CGRectMake(bounds_.origin.x + (w - iw * s) / 2, bounds_.origin.y + (h - ih * s) / 2, iw * s, ih * s);
            break;
        }
        case CAContentsGravity::Center: r = CGRectMake(bounds_.origin.x + (w - iw) / 2, bounds_.origin.y + (h - ih) / 2, iw, ih); break;
        case CAContentsGravity::Top: r = CGRectMake(bounds_.origin.x + (w - iw) / 2, bounds_.origin.y, iw, ih); break;
        case CAContentsGravity::Bottom: r = CGRectMake(bounds_.origin.x + (w - iw) / 2, bounds_.origin.y + h - ih, iw, ih); break;
        case CAContentsGravity::Left: r = CGRectMake(bounds_.origin.x, bounds_.origin.y + (h - ih) / 2, iw, ih); break;
        case CAContentsGravity::Right: r = CGRectMake(bounds_.origin.x + w - iw, bounds_.origin.y + (h - ih) / 2, iw, ih); break;
    }
    drawImageInRect(cr, image, r);
}

void CALayer::drawCachedDelegateContent(cairo_t* cr) {
    const double scale = deviceScale(cr);
    const int pw = int(std::ceil(bounds_.size.width * scale - 1e-6)), ph = int(std::ceil(bounds_.size.height * scale - 1e-6));
    if (pw <= 0 || ph <= 0 || pw > 16384 || ph > 16384) return;
    if (!backing_ || needsDisplay_ || backingScale_ != scale || cairo_image_surface_get_width(backing_) != pw ||
        cairo_image_surface_get_height(backing_) != ph) {
        if (!backing_ || cairo_image_surface_get_width(backing_) != pw || cairo_image_surface_get_height(backing_) != ph) {
            releaseBackingStore();
            backing_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
        }
        cairo_t* own = cairo_create(backing_);
        cairo_set_operator(own, CAIRO_OPERATOR_CLEAR);
        cairo_paint(own);
        cairo_set_operator(own, CAIRO_OPERATOR_OVER);
        cairo_scale(own, scale, scale);
        cairo_translate(own, -bounds_.origin.x, -bounds_.origin.y);
        UIGraphicsPushContext(own);
        delegate_->drawLayer(*this, own);
        UIGraphicsPopContext();
        cairo_destroy(own);
        cairo_surface_flush(backing_);
        backingScale_ = scale;
        needsDisplay_ = false;
    }
    cairo_save(cr);
    cairo_translate(cr, bounds_.origin.x, bounds_.origin.y);
    cairo_scale(cr, 1 / scale, 1 / scale);
    cairo_set_source_surface(cr, backing_, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace uikit
