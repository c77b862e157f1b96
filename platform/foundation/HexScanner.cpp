#include "platform/foundation/HexScanner.h"

namespace foundation {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::uint32_t scanHexInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        hexDigit(text[i + 2]) >= 0)
        i += 2;
    std::uint64_t value = 0;
    bool saturated = false;
    for (; i < text.size(); ++i) {
        int d = hexDigit(text[i]);
        if (d < 0) break;
        value = value * 16 + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) saturated = true, value = 0xFFFFFFFFull;
    }
    return saturated ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

}  // namespace foundation
