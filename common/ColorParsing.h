#pragma once
// The one codec between hex color strings ("#RRGGBB", "#RRGGBBAA") and colors.

#include <optional>
#include <string>

#include "platform/graphics/Color.h"

namespace ColorParsing {

// nullopt for a missing or empty string; otherwise always a color (unreadable digits give black).
std::optional<graphics::Color> colorFromHexString(const std::optional<std::string>& text);
// Lower-case "rrggbb", "rrggbbaa" with `alpha`, "#" in front with `hash`.
std::optional<std::string> hexStringFromColor(const graphics::Color& color, bool alpha = false, bool hash = false);

}  // namespace ColorParsing
