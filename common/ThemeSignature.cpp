#include "common/ThemeSignature.h"

#include <vector>

#include "platform/foundation/Text.h"

namespace ThemeSignature {
namespace {

// ICU's \s: [\t\n\f\r\p{Z}].
bool isSpace(char32_t c) {
    switch (c) {
    case '\t': case '\n': case '\f': case '\r': case 0x20: case 0xA0: case 0x1680: case 0x2028: case 0x2029:
    case 0x202F: case 0x205F: case 0x3000:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}

// Letters under case-insensitive matching, including the two non-ASCII
// characters whose case folding lands in a-z (long s and the Kelvin sign).
bool isLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == 0x17F || c == 0x212A; }
bool isOnlyInAtoZRange(char32_t c) { return c >= '[' && c <= '`'; }  // [ \ ] ^ _ `
bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }

// Matches one list entry "\s*[A-z]+[a-z0-9]*\s*" at i; returns the end, or npos.
std::size_t matchName(const std::u32string& s, std::size_t i) {
    while (i < s.size() && isSpace(s[i])) ++i;
    if (i >= s.size() || !(isLetter(s[i]) || isOnlyInAtoZRange(s[i]))) return std::u32string::npos;
    bool seenDigit = false;
    for (; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (isDigit(c)) seenDigit = true;
        else if (isOnlyInAtoZRange(c)) {
            // Those characters may only stand in the leading [A-z]+ run.
            if (seenDigit) return std::u32string::npos;
        } else if (!isLetter(c)) break;
    }
    while (i < s.size() && isSpace(s[i])) ++i;
    return i;
}

// Matches a whole list starting at the "(" at i; returns one past ")", or npos.
std::size_t matchList(const std::u32string& s, std::size_t i) {
    std::size_t at = matchName(s, i + 1);
    while (at != std::u32string::npos && at < s.size()) {
        if (s[at] == ')') return at + 1;
        if (s[at] != ',') return std::u32string::npos;
        at = matchName(s, at + 1);
    }
    return std::u32string::npos;
}

}  // namespace

std::optional<ParameterList> findParameterList(std::string_view script) {
    auto decoded = foundation::decodeUTF8(script);
    if (!decoded) return std::nullopt;
    const std::u32string& s = *decoded;

    // Byte offset of each code point, to hand back the match as UTF-8 text.
    std::vector<std::size_t> byteOffset;
    byteOffset.reserve(s.size() + 1);
    for (std::size_t b = 0; b < script.size(); ++b)
        if ((static_cast<unsigned char>(script[b]) & 0xC0) != 0x80) byteOffset.push_back(b);
    byteOffset.push_back(script.size());

    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '(') continue;
        std::size_t end = matchList(s, i);
        if (end == std::u32string::npos) continue;
        ParameterList list;
        list.offset = byteOffset[i];
        list.text = std::string(script.substr(byteOffset[i], byteOffset[end] - byteOffset[i]));
        for (std::size_t k = i; k < end; ++k) list.commas += s[k] == ',';
        return list;
    }
    return std::nullopt;
}

std::int64_t themeTypeForScript(std::string_view script) {
    auto list = findParameterList(script);
    if (!list) return 0;
    if (list->commas == 4) return 1;
    if (list->commas == 6) return 2;
    return 0;
}

}  // namespace ThemeSignature
