#pragma once
// A retained layer: geometry, background, rounded corners, a border drawn
// inside the bounds over content and sublayers, clipping, opacity, a contents
// image, a 2-D transform about the anchor point, and sublayers in index order.

#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/uikit/drawing/UIColor.h"
#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/geometry/CGAffineTransform.h"

namespace uikit {

class CALayer;

// Who draws a layer's content (a view): called with the layer's bounds as user space.
class CALayerDelegate {
public:
    virtual ~CALayerDelegate() = default;
    virtual void drawLayer(CALayer& layer, cairo_t* cr) = 0;
};

enum class CAContentsGravity { Resize, ResizeAspect, ResizeAspectFill, Center, Top, Bottom, Left, Right };

// A value animated from `from` to `to` over [begin, begin + duration] of the UI clock.
template <class T>
struct CAAnimatedValue {
    T from{}, to{};
    double begin = 0, duration = 0;
    bool easeInOut = true;
    int animationID = 0;
};

class CALayer : public std::enable_shared_from_this<CALayer> {
public:
    static std::shared_ptr<CALayer> layer() { return std::make_shared<CALayer>(); }
    CALayer();
    virtual ~CALayer();
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    // Geometry. frame is derived from bounds, position, anchor point and transform.
    CGRect frame() const;
    void setFrame(const CGRect& frame);
    const CGRect& bounds() const { return bounds_; }
    void setBounds(const CGRect& bounds);
    CGPoint position() const { return position_; }
    void setPosition(CGPoint position);
    CGPoint anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(CGPoint anchor);
    const CGAffineTransform& affineTransform() const { return transform_; }
    void setAffineTransform(const CGAffineTransform& transform);

    // Appearance.
    std::optional<UIColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<UIColor> color) { backgroundColor_ = color; }
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    unsigned maskedCorners() const { return maskedCorners_; }
    void setMaskedCorners(unsigned corners) { maskedCorners_ = corners; }
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);
    UIColor borderColor() const { return borderColor_; }
    void setBorderColor(const UIColor& color) { borderColor_ = color; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    UIImagePtr contents() const { return contents_; }
    void setContents(UIImagePtr image) { contents_ = std::move(image); }
    CAContentsGravity contentsGravity() const { return contentsGravity_; }
    void setContentsGravity(CAContentsGravity gravity) { contentsGravity_ = gravity; }

    // The values on screen now, while a block animation runs.
    double presentationOpacity() const;
    CGAffineTransform presentationTransform() const;
    void animateOpacity(const CAAnimatedValue<double>& animation) { opacityAnimation_ = animation; }
    void animateTransform(const CAAnimatedValue<CGAffineTransform>& animation) { transformAnimation_ = animation; }
    // Drops the animations of `animationID` (0: all).
    void removeAnimations(int animationID = 0);
    bool hasAnimations() const { return opacityAnimation_ || transformAnimation_; }

    // The tree.
    CALayer* superlayer() const { return superlayer_; }
    const std::vector<std::shared_ptr<CALayer>>& sublayers() const { return sublayers_; }
    void addSublayer(const std::shared_ptr<CALayer>& layer);
    void insertSublayerAtIndex(const std::shared_ptr<CALayer>& layer, size_t index);
    void insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const CALayer* sibling);
    void insertSublayerAbove(const std::shared_ptr<CALayer>& layer, const CALayer* sibling);
    void removeFromSuperlayer();

    // Drawn content: the delegate draws into a bitmap kept until setNeedsDisplay
    // or a change of size or scale, or (uncached) straight into every frame.
    void setDelegate(CALayerDelegate* delegate) { delegate_ = delegate; }
    CALayerDelegate* delegate() const { return delegate_; }
    void setDrawsContent(bool draws, bool cached = true);
    void setNeedsDisplay() { needsDisplay_ = true; }
    bool needsDisplay() const { return needsDisplay_; }

    // The layer and its sublayers into `cr`, whose user space is this layer's bounds.
    void renderInContext(cairo_t* cr);
    // The layer as its superlayer places it: position, transform and opacity applied.
    void renderInSuperlayer(cairo_t* cr);

    // Converts between this layer's bounds space and a sublayer's or superlayer's.
    CGPoint convertPointToSuperlayer(CGPoint p) const;
    CGPoint convertPointFromSuperlayer(CGPoint p) const;

protected:
    // Content between the background and the sublayers; the base draws the
    // contents image and the delegate's drawing.
    virtual void drawInContext(cairo_t* cr);

private:
    void drawContentsImage(cairo_t* cr);
    void drawCachedDelegateContent(cairo_t* cr);
    CGAffineTransform placementTransform(const CGAffineTransform& transform) const;
    void releaseBackingStore();

    CGRect bounds_;
    CGPoint position_;
    CGPoint anchorPoint_{0.5, 0.5};
    CGAffineTransform transform_;
    std::optional<UIColor> backgroundColor_;
    double cornerRadius_ = 0;
    unsigned maskedCorners_ = 15;
    double borderWidth_ = 0;
    UIColor borderColor_ = UIColor::grey(0);
    bool masksToBounds_ = false;
    double opacity_ = 1;
    bool hidden_ = false;
    UIImagePtr contents_;
    CAContentsGravity contentsGravity_ = CAContentsGravity::Resize;
    std::optional<CAAnimatedValue<double>> opacityAnimation_;
    std::optional<CAAnimatedValue<CGAffineTransform>> transformAnimation_;

    CALayer* superlayer_ = nullptr;  // owns this layer
    std::vector<std::shared_ptr<CALayer>> sublayers_;
    CALayerDelegate* delegate_ = nullptr;  // the view, which clears it when it goes
    bool drawsContent_ = false;
    bool cachesContent_ = true;
    bool needsDisplay_ = true;
    cairo_surface_t* backing_ = nullptr;
    double backingScale_ = 0;
};

using CALayerPtr = std::shared_ptr<CALayer>;

}  // namespace uikit
