#pragma once
// CSS colors as a canvas reads and serializes them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace webview {

struct RGBA8 {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const RGBA8&) const = default;
};

// Named colors, transparent, currentcolor (black: the canvas is in no document),
// #rgb, #rgba, #rrggbb, #rrggbbaa, rgb()/rgba() and hsl()/hsla() in the comma and
// space forms. nullopt for anything else, which the canvas then ignores.
std::optional<RGBA8> parseCssColor(std::string_view text);

// "#rrggbb" when opaque, else "rgba(r, g, b, a)".
std::string serializeCanvasColor(const RGBA8& color);

}  // namespace webview
