#include "platform/foundation/Base64.h"

#include <array>
#include <cstdint>

namespace foundation {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int8_t, 256> decodeTable() {
    std::array<int8_t, 256> table{};
    for (auto& v : table) v = -1;
    for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    return table;
}
constexpr auto kDecode = decodeTable();

}  // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        uint32_t v = (uint8_t(bytes[i]) << 16) | (uint8_t(bytes[i + 1]) << 8) | uint8_t(bytes[i + 2]);
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (size_t rest = bytes.size() - i) {
        uint32_t v = uint8_t(bytes[i]) << 16;
        if (rest == 2) v |= uint8_t(bytes[i + 1]) << 8;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> base64DecodeStrict(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        int pad = 0;
        if (last) pad = (text[i + 3] == '=') + (text[i + 3] == '=' && text[i + 2] == '=');
        uint32_t v = 0;
        for (int k = 0; k < 4 - pad; ++k) {
            int8_t d = kDecode[static_cast<unsigned char>(text[i + k])];
            if (d < 0) return std::nullopt;
            v |= uint32_t(d) << (18 - 6 * k);
        }
        out += char(v >> 16);
        if (pad < 2) out += char((v >> 8) & 0xFF);
        if (pad < 1) out += char(v & 0xFF);
    }
    return out;
}

}  // namespace foundation
