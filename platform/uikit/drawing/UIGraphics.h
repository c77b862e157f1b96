#pragma once
// Image contexts and the current drawing context. Each thread has its own
// stack, so a worker thread can draw images while the main thread draws views.

#include <cairo.h>

#include "platform/graphics/Image.h"
#include "platform/uikit/drawing/UIColor.h"
#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

using UIImage = graphics::UIImage;
using UIImagePtr = graphics::Image;

// A context of `size` points at `scale` (0: the main screen's); user space is
// in points with the origin at the top left. Opaque contexts start black.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale);
inline void UIGraphicsBeginImageContext(CGSize size) { UIGraphicsBeginImageContextWithOptions(size, false, 1); }
// The image drawn so far (the context stays usable), or nullptr without an image context.
UIImagePtr UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();

// The innermost context: an image context or a view being drawn; nullptr when none.
cairo_t* UIGraphicsGetCurrentContext();
void UIGraphicsPushContext(cairo_t* cr);
void UIGraphicsPopContext();

// Fills `rect` of the current context with `color`.
void UIRectFill(const CGRect& rect, const UIColor& color);

}  // namespace uikit
