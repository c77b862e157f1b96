#pragma once
// A theme's result turned into an image: the base64 text after the first
// "base64,", decoded strictly (a line break or any stray character gives no
// image), read as PNG at the given scale.

#include <string>

#include "platform/graphics/Image.h"

namespace ThemeResult {

graphics::Image imageFromResult(const std::string& result, double scale);

}  // namespace ThemeResult
