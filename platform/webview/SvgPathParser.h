#pragma once
// SVG path data ("M10 10 h5 a2 2 0 0 1 4 0 z") added to a canvas path.

#include <string_view>

#include "platform/webview/CanvasPath.h"

namespace webview {

// Adds the commands of `data` through `to`. At the first error it stops and
// keeps the commands before it, as SVG renders a path with an error; returns
// false when there was one.
bool addSvgPath(std::string_view data, PathBuilder& to);

}  // namespace webview
