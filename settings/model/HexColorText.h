#pragma once
// Hex colors as a person types them: an optional "#" and 3, 4, 6 or 8 hex
// digits, the short forms read as CSS reads them (#F80 is #FF8800).

#include <optional>
#include <string>
#include <string_view>

namespace HexColorText {

// "#RRGGBB" or "#RRGGBBAA" with the digits as typed (short forms doubled);
// nullopt for anything else, surrounding spaces included.
std::optional<std::string> expanded(std::string_view text);

// What a refusal tells the person.
inline constexpr const char* kExpected = "# and 3, 4, 6 or 8 hex digits, such as #FFF, #FF0000 or #00000055";

}  // namespace HexColorText
