#pragma once
// The CSS `font` shorthand as a canvas takes it: style, variant, weight,
// stretch, size[/line-height] and a family list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace webview {

struct FontSpec {
    std::string style = "normal";    // normal | italic | oblique
    std::string variant = "normal";  // normal | small-caps
    int weight = 400;
    std::string stretch = "normal";
    double sizePx = 10;
    std::vector<std::string> families{"sans-serif"};

    bool operator==(const FontSpec&) const = default;
};

// nullopt for an invalid value, which the canvas ignores. Relative sizes
// (em, %, larger, smaller) are taken against `parentSizePx`.
std::optional<FontSpec> parseCssFont(std::string_view text, double parentSizePx = 10);
// As the canvas getter serializes it: "bold 12px Arial, sans-serif"; line-height is dropped.
std::string serializeFont(const FontSpec& font);
std::string formatCssNumber(double value);

}  // namespace webview
