#pragma once
// Shows an image according to the content mode; template images take the tint color.

#include "platform/uikit/views/UIView.h"

namespace uikit {

class UIImageView : public UIView {
public:
    explicit UIImageView(const CGRect& frame = CGRectZero);
    explicit UIImageView(UIImagePtr image);

    const UIImagePtr& image() const { return image_; }
    void setImage(UIImagePtr image);
    CGSize sizeThatFits(CGSize size) const override;
    CGSize intrinsicContentSize() const override;
    // Where the image lands in the bounds for the current content mode.
    CGRect imageRect() const;

protected:
    void drawLayer(CALayer& layer, cairo_t* cr) override;
    void tintColorDidChange() override;

private:
    UIImagePtr image_;
};

}  // namespace uikit
