#pragma once
// UIImage drawing: into a rectangle, at a point, and as a template mask.

#include <cairo.h>

#include "platform/uikit/drawing/UIGraphics.h"

namespace uikit {

// Scales the image's point size onto `rect` of `cr`'s user space.
void drawImageInRect(cairo_t* cr, const UIImage& image, const CGRect& rect, double alpha = 1);
// Template images (and any image when `tint` is given) paint `tint` through their alpha.
void drawImageInRect(cairo_t* cr, const UIImage& image, const CGRect& rect, const UIColor* tint, double alpha = 1);
// Into the current context, at the image's own point size.
void drawImageAtPoint(const UIImage& image, CGPoint point);
void drawImageInRect(const UIImage& image, const CGRect& rect);

UIImagePtr imageWithRenderingMode(const UIImagePtr& image, UIImage::RenderingMode mode);

}  // namespace uikit
