#pragma once
// Images drawn by a routine into a fresh bitmap context.

#include <cairo.h>

#include <functional>

#include "platform/uikit/drawing/UIGraphics.h"

namespace CoreGraphics {

// Draws into the context, whose user space is points, within `rect` (0, 0, size).
using Renderer = std::function<void(cairo_t* context, const uikit::CGRect& rect)>;

// At `scale` pixels per point (0: the main screen's). Safe off the main thread
// when the scale is given: the context belongs to the calling thread.
uikit::UIImagePtr hr_imageWithSize(uikit::CGSize size, bool opaque, const Renderer& renderer, double scale = 0);
inline uikit::UIImagePtr hr_imageWithSize(uikit::CGSize size, const Renderer& renderer) {
    return hr_imageWithSize(size, false, renderer);
}

}  // namespace CoreGraphics
