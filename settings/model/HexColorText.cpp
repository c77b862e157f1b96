#include "settings/model/HexColorText.h"

namespace HexColorText {

std::optional<std::string> expanded(std::string_view text) {
    if (text.starts_with('#')) text.remove_prefix(1);
    for (const char c : text)
        if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'f') && !(c >= 'A' && c <= 'F')) return std::nullopt;
    std::string result = "#";
    switch (text.size()) {
    case 3:
    case 4:
        for (const char c : text) result.append(2, c);
        return result;
    case 6:
    case 8: return result.append(text);
    default: return std::nullopt;
    }
}

}  // namespace HexColorText
