#pragma once
// The three image operations of both deliverables. Each returns a new image and
// leaves its input alone; no image in, no image out.

#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"

namespace Flipping {

// 0 (and any value but 1 and 2): top and bottom swap. 1: left and right swap.
// 2: both, a half turn. Same size and scale as the input.
graphics::Image flippedImageByAxis(const graphics::Image& image, long long axis);

}  // namespace Flipping

namespace Padding {

// `padding` points of transparency added on the right, at the input's scale.
graphics::Image imageWithRightPadding(const graphics::Image& image, double padding);

}  // namespace Padding

namespace Colored {

// The color wherever the input has opacity, with the input's opacity; drawn
// at the main screen's scale.
graphics::Image changeImageColor(const graphics::Image& image, const graphics::Color& color);

}  // namespace Colored
