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

// Both directions write into a string sized once: a data URL of a large
// canvas is megabytes, converted on every redraw.
std::string base64Encode(std::string_view bytes) {
    std::string out((bytes.size() + 2) / 3 * 4, '\0');
    char* o = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3, o += 4) {
        const uint32_t v = (uint32_t(in[i]) << 16) | (uint32_t(in[i + 1]) << 8) | in[i + 2];
        o[0] = kAlphabet[v >> 18];
        o[1] = kAlphabet[(v >> 12) & 63];
        o[2] = kAlphabet[(v >> 6) & 63];
        o[3] = kAlphabet[v & 63];
    }
    if (size_t rest = bytes.size() - i) {
        uint32_t v = uint32_t(in[i]) << 16;
        if (rest == 2) v |= uint32_t(in[i + 1]) << 8;
        o[0] = kAlphabet[v >> 18];
        o[1] = kAlphabet[(v >> 12) & 63];
        o[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        o[3] = '=';
    }
    return out;
}

std::optional<std::string> base64DecodeStrict(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    if (text.empty()) return std::string();
    const size_t n = text.size();
    const int pad = (text[n - 1] == '=') + (text[n - 1] == '=' && text[n - 2] == '=');
    std::string out(n / 4 * 3 - size_t(pad), '\0');
    char* o = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const size_t whole = pad ? n - 4 : n;
    for (size_t i = 0; i < whole; i += 4, o += 3) {
        const int a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]], d = kDecode[in[i + 3]];
        if ((a | b | c | d) < 0) return std::nullopt;
        const uint32_t v = (uint32_t(a) << 18) | (uint32_t(b) << 12) | (uint32_t(c) << 6) | uint32_t(d);
        o[0] = char(v >> 16);
        o[1] = char((v >> 8) & 0xFF);
        o[2] = char(v & 0xFF);
    }
    if (pad) {
        const int a = kDecode[in[n - 4]], b = kDecode[in[n - 3]], c = pad == 1 ? kDecode[in[n - 2]] : 0;
        if ((a | b | c) < 0) return std::nullopt;
        const uint32_t v = (uint32_t(a) << 18) | (uint32_t(b) << 12) | (uint32_t(c) << 6);
        o[0] = char(v >> 16);
        if (pad == 1) o[1] = char((v >> 8) & 0xFF);
    }
    return out;
}

std::optional<std::string> base64PayloadOf(std::string_view dataURL) {
    const auto marker = dataURL.find("base64,");
    if (marker == std::string_view::npos) return std::nullopt;
    return base64DecodeStrict(dataURL.substr(marker + 7));
}

}  // namespace foundation
