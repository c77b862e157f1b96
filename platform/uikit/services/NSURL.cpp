#include "platform/uikit/services/NSURL.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace uikit {
namespace {

bool isUnreserved(unsigned char c) { return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
bool isAllowedInURL(unsigned char c) {
    return c < 0x80 && (isUnreserved(c) || std::strchr(":/?#[]@!$&'()*+,;=", c));
}

}  // namespace

std::optional<NSURL> NSURL::URLWithString(const std::string& text) {
    if (text.empty()) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !std::isxdigit((unsigned char)text[i + 1]) ||
                !std::isxdigit((unsigned char)text[i + 2]))
                return std::nullopt;
            i += 2;
        } else if (c == 0 || !isAllowedInURL(c)) {
            return std::nullopt;
        }
    }
    if (std::count(text.begin(), text.end(), '#') > 1) return std::nullopt;
    return NSURL(text);
}

std::string NSURL::scheme() const {
    const size_t colon = text_.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha((unsigned char)text_[0])) return {};
    std::string s = text_.substr(0, colon);
    for (char& c : s) {
        if (!std::isalnum((unsigned char)c) && c != '+' && c != '-' && c != '.') return {};
        c = char(std::tolower((unsigned char)c));
    }
    return s;
}

std::string percentEncode(const std::string& text, const std::string& alsoAllowed) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (isUnreserved(c) || (c && alsoAllowed.find(char(c)) != std::string::npos)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace uikit
