#pragma once
// The CSS `filter` value as a canvas takes it: a list of filter functions, or none.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/webview/CssColor.h"

namespace webview {

struct FilterOp {
    enum class Kind { Blur, Opacity, DropShadow };
    Kind kind = Kind::Blur;
    double stdDeviation = 0;  // blur and drop-shadow, px
    double opacity = 1;       // clamped to [0, 1]
    double dx = 0, dy = 0;    // drop-shadow, px
    RGBA8 color{0, 0, 0, 255};
};

// nullopt when the text is not a filter value (the canvas then keeps its old
// one); otherwise the operations to draw, in order. "none", functions this
// canvas does not draw (grayscale(), url(), ...) and arguments it cannot resolve
// (calc(), viewport units) are accepted and leave nothing to draw. `fontSizePx`
// resolves em.
std::optional<std::vector<FilterOp>> parseCssFilter(std::string_view text, double fontSizePx);

}  // namespace webview
