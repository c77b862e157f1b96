#pragma once
// A rectangle of the screen with its own layer: geometry, the view tree,
// appearance, drawing, layout and block animations.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/uikit/drawing/UISystemColors.h"
#include "platform/uikit/events/UIResponder.h"
#include "platform/uikit/layers/CALayer.h"

namespace uikit {

class UIGestureRecognizer;
class UIWindow;

enum UIViewAutoresizing : unsigned {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
    UIViewAutoresizingFlexibleWidth = 1 << 1,
    UIViewAutoresizingFlexibleRightMargin = 1 << 2,
    UIViewAutoresizingFlexibleTopMargin = 1 << 3,
    UIViewAutoresizingFlexibleHeight = 1 << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

enum class UIViewContentMode { ScaleToFill, ScaleAspectFit, ScaleAspectFill, Redraw, Center, Top, Bottom, Left, Right };

// No intrinsic size along an axis.
inline constexpr double UIViewNoIntrinsicMetric = -1;

class UIView : public UIResponder, public CALayerDelegate {
public:
    using Ptr = std::shared_ptr<UIView>;

    explicit UIView(const CGRect& frame = CGRectZero);
    ~UIView() override;

    // Geometry. Frames, bounds and centers that are not finite are refused (kept, logged).
    CGRect frame() const { return layer_->frame(); }
    void setFrame(const CGRect& frame);
    CGRect bounds() const { return layer_->bounds(); }
    void setBounds(const CGRect& bounds);
    CGPoint center() const { return layer_->position(); }
    void setCenter(CGPoint center);
    CGAffineTransform transform() const { return layer_->affineTransform(); }
    void setTransform(const CGAffineTransform& transform);
    const CALayerPtr& layer() const { return layer_; }

    // The tree.
    UIView* superview() const { return superview_; }
    const std::vector<Ptr>& subviews() const { return subviews_; }
    UIWindow* window() const;
    void addSubview(const Ptr& view);
    void insertSubviewAtIndex(const Ptr& view, size_t index);
    void insertSubviewBelowSubview(const Ptr& view, const UIView* sibling);
    void insertSubviewAboveSubview(const Ptr& view, const UIView* sibling);
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }
    // This view or the first descendant with the tag, depth first.
    UIView* viewWithTag(long tag);

    // Appearance.
    std::optional<UIColor> backgroundColor() const { return layer_->backgroundColor(); }
    void setBackgroundColor(std::optional<UIColor> color);
    // A platform color that follows the light or dark look.
    void setBackgroundColor(UISystemColor color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    double alpha() const { return layer_->opacity(); }
    void setAlpha(double alpha);
    bool isHidden() const { return layer_->isHidden(); }
    void setHidden(bool hidden) { layer_->setHidden(hidden); }
    bool clipsToBounds() const { return layer_->masksToBounds(); }
    void setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode);
    // Own tint, else the superview's, else the system blue.
    UIColor tintColor() const;
    void setTintColor(std::optional<UIColor> color);

    // Drawing. Subclasses that draw override drawRect and call setDrawsContent(true).
    virtual void drawRect(const CGRect& rect);
    void setNeedsDisplay() { layer_->setNeedsDisplay(); }

    // Sizing and layout.
    virtual CGSize sizeThatFits(CGSize size) const;
    void sizeToFit();
    virtual CGSize intrinsicContentSize() const { return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric}; }
    virtual UIEdgeInsets alignmentRectInsets() const { return {}; }
    CGRect alignmentRectForFrame(const CGRect& frame) const;
    CGRect frameForAlignmentRect(const CGRect& rect) const;
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool v) { autoresizesSubviews_ = v; }
    // Marks the view for the next layout pass (one per run-loop turn, before drawing).
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Lays out this view (when marked) and any marked view below it, top down.
    void layoutIfNeeded();

    // Coordinates.
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;  // nullptr: the window
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(const CGRect& rect, const UIView* view) const;
    CGRect convertRectFromView(const CGRect& rect, const UIView* view) const;

    // Events.
    virtual UIView* hitTest(CGPoint point, const UIEvent* event);
    virtual bool pointInside(CGPoint point, const UIEvent* event) const;
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const UIGestureRecognizer* recognizer);
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return recognizers_; }
    // Asked before a recognizer of this view begins; false stops it.
    virtual bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer);
    // Whether Tab may bring the keyboard focus here.
    virtual bool canBecomeFocused() const { return false; }
    // A key pressed while this view has the keyboard focus and nothing being
    // edited took it (Return or Space for a tap, the arrows); true when used.
    virtual bool pressFocusedKey(UIKey) { return false; }
    UIResponder* nextResponder() const override;
    UIWindow* responderWindow() const override { return window(); }
    // The controller whose view this is: next in the responder chain before the superview.
    void setViewController(std::weak_ptr<UIResponder> controller) { viewController_ = std::move(controller); }
    std::shared_ptr<UIResponder> viewController() const { return viewController_.lock(); }

    // Block animations of alpha and transform, on the UI clock. Changes made in
    // `animations` take effect at once in the model and are shown moving from
    // their old values; `completion` runs when the duration has passed on the clock.
    static void animateWithDuration(double duration, const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion = {});
    static void animateWithDuration(double duration, double delay, const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion = {});
    static void performWithoutAnimation(const std::function<void()>& changes);

    void drawLayer(CALayer& layer, cairo_t* cr) override;

protected:
    // For subclasses with their own kind of layer.
    UIView(const CGRect& frame, CALayerPtr layer);
    virtual void layoutSubviews();
    virtual void didMoveToSuperview() {}
    virtual void willMoveToSuperview(UIView*) {}
    virtual void didMoveToWindow() {}
    virtual void didAddSubview(UIView*) {}
    virtual void willRemoveSubview(UIView*) {}
    virtual void tintColorDidChange() {}
    // The light or dark look changed since this view last resolved its colors
    // (while in a window, or before it joined one). Drawn content is redrawn
    // and a role background resolved before this is called.
    virtual void traitCollectionDidChange() {}
    // True when a recognizer of an ancestor must not take touches that hit this view (taps on controls).
    virtual bool keepsGestureFromAncestor(const UIGestureRecognizer&) const { return false; }
    void setDrawsContent(bool draws, bool cached = true) { layer_->setDrawsContent(draws, cached); }
    // A size the view always has, whatever frame it is given (a switch); nullopt: any.
    virtual std::optional<CGSize> fixedFrameSize() const { return std::nullopt; }
    // The window a tree whose top is this view belongs to (a window, or a window's overlays).
    virtual UIWindow* windowOfRoot() const { return nullptr; }

private:
    friend class UIWindow;
    friend class UIGestureRecognizer;
    void sizeChanged(CGSize old);
    void autoresizeSubviews(CGSize oldSize);
    void markAncestorsForLayout();
    void insertSubviewLayer(const Ptr& view, size_t index);
    void notifyMovedToWindow();
    void tintChangedFromAbove();
    void restyleSelf();
    void restyleTree();
    CGAffineTransform transformToWindow() const;

    CALayerPtr layer_;
    UIView* superview_ = nullptr;  // owns this view
    std::vector<Ptr> subviews_;
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
    std::weak_ptr<UIResponder> viewController_;
    std::optional<UIColor> tintColor_;
    std::optional<UISystemColor> backgroundRole_;
    UIUserInterfaceStyle styleSeen_;
    long tag_ = 0;
    bool opaque_ = true;
    bool userInteractionEnabled_ = true;
    bool needsLayout_ = true;
    bool subtreeNeedsLayout_ = false;
    bool autoresizesSubviews_ = true;
    unsigned autoresizingMask_ = UIViewAutoresizingNone;
    UIViewContentMode contentMode_ = UIViewContentMode::ScaleToFill;
};

using UIViewPtr = std::shared_ptr<UIView>;

}  // namespace uikit
