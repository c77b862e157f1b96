#include "platform/uikit/views/UIView.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/uikit/events/UIGestureRecognizer.h"
#include "platform/uikit/views/LayoutCycle.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

struct AnimationBlock {
    double duration, delay;
    int id;
    std::vector<std::weak_ptr<CALayer>> layers;
};

AnimationBlock* gAnimating = nullptr;
int gNextAnimationID = 1;

bool finite(CGPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

UIView::UIView(const CGRect& frame) : UIView(frame, CALayer::layer()) {}

UIView::UIView(const CGRect& frame, CALayerPtr layer)
    : layer_(layer ? std::move(layer) : CALayer::layer()), styleSeen_(currentUserInterfaceStyle()) {
    layer_->setDelegate(this);
    layer_->setFrame(frame);
}

UIView::~UIView() {
    layer_->setDelegate(nullptr);
    for (auto& sub : subviews_) sub->superview_ = nullptr;
    for (auto& r : recognizers_) r->view_ = nullptr;
}

void UIView::setFrame(const CGRect& frame) {
    if (!CGRectIsFinite(frame)) {
        foundation::logLine("uikit: refused the frame " + NSStringFromCGRect(frame));
        return;
    }
    const CGSize old = bounds().size;
    CGRect f = frame;
    if (auto fixed = fixedFrameSize()) f.size = *fixed;
    layer_->setFrame(f);
    sizeChanged(old);
}

void UIView::setBounds(const CGRect& bounds) {
    if (!CGRectIsFinite(bounds)) {
        foundation::logLine("uikit: refused the bounds " + NSStringFromCGRect(bounds));
        return;
    }
    const CGSize old = this->bounds().size;
    layer_->setBounds(bounds);
    sizeChanged(old);
}

void UIView::setCenter(CGPoint center) {
    if (!finite(center)) {
        foundation::logLine("uikit: refused the center " + NSStringFromCGPoint(center));
        return;
    }
    layer_->setPosition(center);
}

void UIView::setTransform(const CGAffineTransform& t) {
    if (!CGAffineTransformIsFinite(t)) {
        foundation::logLine("uikit: refused a transform that is not finite");
        return;
    }
    if (gAnimating) {
        layer_->animateTransform({layer_->presentationTransform(), t, UIClock::shared().now() + gAnimating->delay,
                                  gAnimating->duration, true, gAnimating->id});
        gAnimating->layers.push_back(layer_);
    }
    layer_->setAffineTransform(t);
}

void UIView::setAlpha(double alpha) {
    if (!std::isfinite(alpha)) return;
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (gAnimating) {
        layer_->animateOpacity({layer_->presentationOpacity(), alpha, UIClock::shared().now() + gAnimating->delay,
                                gAnimating->duration, true, gAnimating->id});
        gAnimating->layers.push_back(layer_);
    }
    layer_->setOpacity(alpha);
}

void UIView::sizeChanged(CGSize old) {
    const CGSize now = bounds().size;
    if (now == old) return;
    if (autoresizesSubviews_) autoresizeSubviews(old);
    setNeedsLayout();
    if (contentMode_ == UIViewContentMode::Redraw) setNeedsDisplay();
}

void UIView::autoresizeSubviews(CGSize oldSize) {
    const CGSize newSize = bounds().size;
    for (auto& sub : subviews_) {
        const unsigned m = sub->autoresizingMask_;
        if (m == UIViewAutoresizingNone) continue;
        CGRect f = sub->frame();
        // Along each axis the change is shared among the flexible parts, in proportion to their size.
        auto resize = [](double& origin, double& size, double oldTotal, double newTotal, bool flexLead, bool flexSize,
                         bool flexTrail) {
            const double delta = newTotal - oldTotal;
            const double lead = origin, trail = oldTotal - origin - size;
            double weights = (flexLead ? lead : 0) + (flexSize ? size : 0) + (flexTrail ? trail : 0);
            const int count = int(flexLead) + int(flexSize) + int(flexTrail);
            if (count == 0) return;
            auto share = [&](bool flex, double part) {
                if (!flex) return 0.0;
                return weights > 0 ? delta * part / weights : delta / count;
            };
            const double leadShare = share(flexLead, lead), sizeShare = share(flexSize, size);
            origin += leadShare;
            size = std::max(0.0, size + sizeShare);
        };
        resize(f.origin.x, f.size.width, oldSize.width, newSize.width, m & UIViewAutoresizingFlexibleLeftMargin,
               m & UIViewAutoresizingFlexibleWidth, m & UIViewAutoresizingFlexibleRightMargin);
        resize(f.origin.y, f.size.height, oldSize.height, newSize.height, m & UIViewAutoresizingFlexibleTopMargin,
               m & UIViewAutoresizingFlexibleHeight, m & UIViewAutoresizingFlexibleBottomMargin);
        sub->setFrame(f);
    }
}

UIWindow* UIView::window() const {
    const UIView* top = this;
    while (top->superview_) top = top->superview_;
    return top->windowOfRoot();
}

void UIView::insertSubviewLayer(const Ptr& view, size_t index) {
    // The subview's layer goes below the layer of the subview now at `index`,
    // so sublayers that are not views keep their place.
    if (index < subviews_.size()) layer_->insertSublayerBelow(view->layer_, subviews_[index]->layer_.get());
    else layer_->addSublayer(view->layer_);
}

void UIView::addSubview(const Ptr& view) { insertSubviewAtIndex(view, subviews_.size()); }

void UIView::insertSubviewAtIndex(const Ptr& view, size_t index) {
    if (!view || view.get() == this || isDescendantOfView(view.get())) return;
    Ptr keep = view;
    const bool moving = view->superview_ != this;
    UIWindow* oldWindow = view->window();
    if (moving) view->willMoveToSuperview(this);
    if (view->superview_ == this) {
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        const size_t at = size_t(it - subviews_.begin());
        subviews_.erase(it);
        if (at < index) --index;
    } else if (view->superview_) {
        UIView* old = view->superview_;
        old->willRemoveSubview(view.get());
        auto& list = old->subviews_;
        list.erase(std::remove(list.begin(), list.end(), view), list.end());
        view->layer_->removeFromSuperlayer();
        view->superview_ = nullptr;
    }
    index = std::min(index, subviews_.size());
    insertSubviewLayer(keep, index);
    subviews_.insert(subviews_.begin() + long(index), keep);
    keep->superview_ = this;
    if (moving) {
        keep->didMoveToSuperview();
        if (keep->window() != oldWindow) keep->notifyMovedToWindow();
        keep->tintChangedFromAbove();
        didAddSubview(keep.get());
    }
    setNeedsLayout();
}

void UIView::insertSubviewBelowSubview(const Ptr& view, const UIView* sibling) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const Ptr& v) { return v.get() == sibling; });
    insertSubviewAtIndex(view, it == subviews_.end() ? subviews_.size() : size_t(it - subviews_.begin()));
}

void UIView::insertSubviewAboveSubview(const Ptr& view, const UIView* sibling) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const Ptr& v) { return v.get() == sibling; });
    insertSubviewAtIndex(view, it == subviews_.end() ? subviews_.size() : size_t(it - subviews_.begin()) + 1);
}

void UIView::bringSubviewToFront(const UIView* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const Ptr& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    Ptr keep = *it;
    subviews_.erase(it);
    subviews_.push_back(keep);
    layer_->addSublayer(keep->layer_);
}

void UIView::sendSubviewToBack(const UIView* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const Ptr& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    Ptr keep = *it;
    subviews_.erase(it);
    subviews_.insert(subviews_.begin(), keep);
    layer_->insertSublayerAtIndex(keep->layer_, 0);
}

void UIView::removeFromSuperview() {
    UIView* parent = superview_;
    if (!parent) return;
    auto self = std::static_pointer_cast<UIView>(shared_from_this());
    UIWindow* oldWindow = window();
    willMoveToSuperview(nullptr);
    parent->willRemoveSubview(this);
    if (oldWindow)
        if (auto* responder = dynamic_cast<UIView*>(oldWindow->firstResponder().get());
            responder && responder->isDescendantOfView(this))
            oldWindow->makeFirstResponder(nullptr);
    auto& list = parent->subviews_;
    list.erase(std::remove(list.begin(), list.end(), self), list.end());
    layer_->removeFromSuperlayer();
    superview_ = nullptr;
    didMoveToSuperview();
    if (oldWindow) notifyMovedToWindow();
    tintChangedFromAbove();
    parent->setNeedsLayout();
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview_)
        if (v == view) return true;
    return false;
}

UIView* UIView::viewWithTag(long tag) {
    if (tag_ == tag) return this;
    for (auto& sub : subviews_)
        if (UIView* found = sub->viewWithTag(tag)) return found;
    return nullptr;
}

void UIView::notifyMovedToWindow() {
    if (window()) restyleSelf();
    didMoveToWindow();
    for (size_t i = 0; i < subviews_.size(); ++i) {
        Ptr keep = subviews_[i];
        keep->notifyMovedToWindow();
    }
}

void UIView::setBackgroundColor(std::optional<UIColor> color) {
    backgroundRole_.reset();
    layer_->setBackgroundColor(color);
}

void UIView::setBackgroundColor(UISystemColor color) {
    backgroundRole_ = color;
    layer_->setBackgroundColor(systemColor(color));
}

void UIView::restyleSelf() {
    const UIUserInterfaceStyle style = currentUserInterfaceStyle();
    if (style == styleSeen_) return;
    styleSeen_ = style;
    if (backgroundRole_) layer_->setBackgroundColor(resolvedColor(*backgroundRole_, style));
    setNeedsDisplay();
    traitCollectionDidChange();
}

void UIView::restyleTree() {
    restyleSelf();
    for (size_t i = 0; i < subviews_.size(); ++i) {
        Ptr keep = subviews_[i];
        keep->restyleTree();
    }
}

void UIView::setContentMode(UIViewContentMode mode) {
    contentMode_ = mode;
    setNeedsDisplay();
}

UIColor UIView::tintColor() const {
    for (const UIView* v = this; v; v = v->superview_)
        if (v->tintColor_) return *v->tintColor_;
    return colors::systemBlueColor;
}

void UIView::setTintColor(std::optional<UIColor> color) {
    if (color == tintColor_) return;
    tintColor_ = color;
    tintChangedFromAbove();
}

void UIView::tintChangedFromAbove() {
    tintColorDidChange();
    for (size_t i = 0; i < subviews_.size(); ++i)
        if (!subviews_[i]->tintColor_) {
            Ptr keep = subviews_[i];
            keep->tintChangedFromAbove();
        }
}

void UIView::drawRect(const CGRect&) {}

void UIView::drawLayer(CALayer&, cairo_t*) { drawRect(bounds()); }

CGSize UIView::sizeThatFits(CGSize) const { return bounds().size; }

void UIView::sizeToFit() {
    const CGSize fitted = sizeThatFits(bounds().size);
    CGRect f = frame();
    f.size = fitted;
    setFrame(f);
}

CGRect UIView::alignmentRectForFrame(const CGRect& f) const { return UIEdgeInsetsInsetRect(f, alignmentRectInsets()); }
CGRect UIView::frameForAlignmentRect(const CGRect& r) const {
    const UIEdgeInsets i = alignmentRectInsets();
    return UIEdgeInsetsInsetRect(r, {-i.top, -i.left, -i.bottom, -i.right});
}

void UIView::markAncestorsForLayout() {
    for (UIView* v = superview_; v && !v->subtreeNeedsLayout_; v = v->superview_) v->subtreeNeedsLayout_ = true;
}

void UIView::setNeedsLayout() {
    needsLayout_ = true;
    markAncestorsForLayout();
    UIView* top = this;
    while (top->superview_) top = top->superview_;
    LayoutCycle::shared().requestPass(top);
}

void UIView::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    if (!subtreeNeedsLayout_) {
        // Subviews marked before they were added carry their own flag.
        bool any = false;
        for (auto& sub : subviews_) any = any || sub->needsLayout_ || sub->subtreeNeedsLayout_;
        if (!any) return;
    }
    subtreeNeedsLayout_ = false;
    for (size_t i = 0; i < subviews_.size(); ++i) {
        Ptr keep = subviews_[i];
        if (keep->needsLayout_ || keep->subtreeNeedsLayout_) keep->layoutIfNeeded();
    }
}

void UIView::layoutSubviews() {}

CGAffineTransform UIView::transformToWindow() const {
    // Own bounds space -> the top ancestor's bounds space.
    CGAffineTransform t = CGAffineTransformIdentity;
    for (const UIView* v = this; v->superview_; v = v->superview_) {
        const CGRect b = v->bounds();
        const CGPoint a = v->layer_->anchorPoint(), p = v->center();
        const double ax = b.origin.x + a.x * b.size.width, ay = b.origin.y + a.y * b.size.height;
        t = CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(-ax, -ay));
        t = CGAffineTransformConcat(t, v->transform());
        t = CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(p.x, p.y));
    }
    return t;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    const CGPoint inWindow = CGPointApplyAffineTransform(point, transformToWindow());
    return view ? CGPointApplyAffineTransform(inWindow, CGAffineTransformInvert(view->transformToWindow())) : inWindow;
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    const CGPoint inWindow = view ? CGPointApplyAffineTransform(point, view->transformToWindow()) : point;
    return CGPointApplyAffineTransform(inWindow, CGAffineTransformInvert(transformToWindow()));
}

CGRect UIView::convertRectToView(const CGRect& rect, const UIView* view) const {
    CGAffineTransform t = transformToWindow();
    if (view) t = CGAffineTransformConcat(t, CGAffineTransformInvert(view->transformToWindow()));
    return CGRectApplyAffineTransform(rect, t);
}

CGRect UIView::convertRectFromView(const CGRect& rect, const UIView* view) const {
    CGAffineTransform t = view ? view->transformToWindow() : CGAffineTransformIdentity;
    t = CGAffineTransformConcat(t, CGAffineTransformInvert(transformToWindow()));
    return CGRectApplyAffineTransform(rect, t);
}

bool UIView::pointInside(CGPoint point, const UIEvent*) const { return CGRectContainsPoint(bounds(), point); }

UIView* UIView::hitTest(CGPoint point, const UIEvent* event) {
    if (isHidden() || !userInteractionEnabled_ || alpha() < 0.01) return nullptr;
    if (!pointInside(point, event)) return nullptr;
    for (size_t i = subviews_.size(); i-- > 0;) {
        UIView* sub = subviews_[i].get();
        const CGPoint inSub = sub->layer_->convertPointFromSuperlayer(point);
        if (UIView* hit = sub->hitTest(inSub, event)) return hit;
    }
    return this;
}

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    if (!recognizer) return;
    if (UIView* old = recognizer->view()) old->removeGestureRecognizer(recognizer.get());
    recognizers_.push_back(recognizer);
    recognizer->view_ = this;
}

void UIView::removeGestureRecognizer(const UIGestureRecognizer* recognizer) {
    auto it = std::find_if(recognizers_.begin(), recognizers_.end(),
                           [&](const auto& r) { return r.get() == recognizer; });
    if (it == recognizers_.end()) return;
    (*it)->view_ = nullptr;
    recognizers_.erase(it);
}

bool UIView::gestureRecognizerShouldBegin(const UIGestureRecognizer&) { return true; }

UIResponder* UIView::nextResponder() const {
    if (auto controller = viewController_.lock()) return controller.get();
    return superview_;
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    animateWithDuration(duration, 0, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    if (!std::isfinite(duration) || duration < 0) duration = 0;
    if (!std::isfinite(delay) || delay < 0) delay = 0;
    AnimationBlock block{duration, delay, gNextAnimationID++, {}};
    AnimationBlock* outer = gAnimating;
    gAnimating = duration > 0 ? &block : nullptr;
    if (animations) animations();
    gAnimating = outer;
    auto layers = std::move(block.layers);
    const int id = block.id;
    UIClock::shared().schedule(delay + duration, [layers, id, completion = std::move(completion)] {
        for (auto& weak : layers)
            if (auto layer = weak.lock()) layer->removeAnimations(id);
        if (completion) completion(true);
    });
}

void UIView::performWithoutAnimation(const std::function<void()>& changes) {
    AnimationBlock* outer = gAnimating;
    gAnimating = nullptr;
    if (changes) changes();
    gAnimating = outer;
}

}  // namespace uikit
