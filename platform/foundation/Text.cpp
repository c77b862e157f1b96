#include "platform/foundation/Text.h"

#include "platform/foundation/SafeRead.h"

namespace foundation {

std::optional<std::u32string> decodeUTF8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        int extra;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0) extra = 1, cp = c & 0x1F, min = 0x80;
        else if ((c & 0xF0) == 0xE0) extra = 2, cp = c & 0x0F, min = 0x800;
        else if ((c & 0xF8) == 0xF0) extra = 3, cp = c & 0x07, min = 0x10000;
        else return std::nullopt;
        if (i + extra >= text.size()) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

bool isValidUTF8(std::string_view text) { return decodeUTF8(text).has_value(); }

std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        units += (c & 0xF8) == 0xF0 ? 2 : 1;
    }
    return units;
}

std::optional<std::string> readUTF8File(const std::string& path, std::size_t limit, std::string* problem) {
    FileRead file = readRegularFile(path, limit);
    if (!file.ok()) {
        if (problem) *problem = file.problem;
        return std::nullopt;
    }
    if (!isValidUTF8(file.bytes)) {
        if (problem) *problem = "is not UTF-8 text";
        logUnreadableOnce(path, "is not UTF-8 text");
        return std::nullopt;
    }
    return std::move(file.bytes);
}

int compareNumeric(std::string_view a, std::string_view b) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei])) ++ei;
            while (ej < b.size() && digit(b[ej])) ++ej;
            // Compare by value: strip leading zeros, then length, then digits.
            std::string_view x = a.substr(i, ei - i), y = b.substr(j, ej - j);
            while (x.size() > 1 && x[0] == '0') x.remove_prefix(1);
            while (y.size() > 1 && y[0] == '0') y.remove_prefix(1);
            if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
            if (int c = x.compare(y)) return c < 0 ? -1 : 1;
            i = ei, j = ej;
        } else {
            if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
            ++i, ++j;
        }
    }
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
}

}  // namespace foundation
