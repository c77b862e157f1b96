#pragma once

#include <cstdint>
#include <string_view>

namespace foundation {

// The platform scanner's hexadecimal integer scan: skips leading white space,
// accepts "0x"/"0X", stops at the first non-hex character, saturates at
// 0xFFFFFFFF and gives 0 when no digit is found.
std::uint32_t scanHexInt(std::string_view text);

}  // namespace foundation
