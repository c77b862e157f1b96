#pragma once
// The one codec between hex color strings ("#RRGGBB", "#RRGGBBAA") and colors.

#include <optional>
#include <string>

#include "platform/graphics/Color.h"

namespace ColorParsing {

// nullopt for a missing or empty string; otherwise always a color (unreadable digits give black).
std::optional<graphics::Color> colorFromHexString(const std::optional<std::string>& text);
// A stored color, or `fallback` when the stored value is missing or decodes to
// no color (the empty string), so a decision never ends without a color.
graphics::Color colorFromHexStringOr(const std::optional<std::string>& stored, const std::string& fallback);
// Lower-case "rrggbb", "rrggbbaa" with `alpha`, "#" in front with `hash`.
std::optional<std::string> hexStringFromColor(const graphics::Color& color, bool alpha = false, bool hash = false);

}  // namespace ColorParsing
