#include "common/ColorParsing.h"

#include <cstdio>

#include "platform/foundation/HexScanner.h"
#include "platform/foundation/Text.h"

namespace ColorParsing {

std::optional<graphics::Color> colorFromHexString(const std::optional<std::string>& text) {
    if (!text || text->empty()) return std::nullopt;
    const bool hasHash = text->find('#') != std::string::npos;
    // The first character is skipped whenever a "#" stands anywhere, not only in front.
    std::string_view digits(*text);
    if (hasHash) {
        std::size_t first = 1;
        while (first < digits.size() && (static_cast<unsigned char>(digits[first]) & 0xC0) == 0x80) ++first;
        digits.remove_prefix(first);
    }
    const std::uint32_t value = foundation::scanHexInt(digits);
    const std::size_t length = foundation::utf16Length(*text) - (hasHash ? 1 : 0);

    auto channel = [&](int shift) { return ((value >> shift) & 0xFF) / 255.0; };
    if (length < 7) return graphics::Color::rgb(channel(16), channel(8), channel(0), 1.0);
    return graphics::Color::rgb(channel(24), channel(16), channel(8), channel(0));
}

graphics::Color colorFromHexStringOr(const std::optional<std::string>& stored, const std::string& fallback) {
    if (auto color = colorFromHexString(stored)) return *color;
    return colorFromHexString(fallback).value_or(graphics::Color::rgb(0, 0, 0));
}

std::optional<std::string> hexStringFromColor(const graphics::Color& color, bool alpha, bool hash) {
    // Clamped before the conversion: NaN or an infinity would make it undefined.
    auto byte = [](double channel) {
        if (!(channel > 0)) return 0;
        if (channel >= 1) return 255;
        return static_cast<int>(channel * 255);
    };
    char buffer[16];
    if (alpha)
        std::snprintf(buffer, sizeof buffer, "%02x%02x%02x%02x", byte(color.red()), byte(color.green()),
                      byte(color.blue()), byte(color.alpha()));
    else
        std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", byte(color.red()), byte(color.green()),
                      byte(color.blue()));
    return (hash ? "#" : "") + std::string(buffer);
}

}  // namespace ColorParsing
