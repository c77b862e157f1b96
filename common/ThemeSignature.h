#pragma once
// Which calling convention a theme script follows, read from its parameter list.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ThemeSignature {

struct ParameterList {
    std::string text;        // the matched "(...)" as it stands in the script
    std::size_t offset = 0;  // byte offset of its "(" in the script
    int commas = 0;
};

// First match of the case-insensitive ICU expression
//   \((?:\s*[A-z]+[a-z0-9]*\s*)(?:,\s*[A-z]+[a-z0-9]*\s*)*\)
// anywhere in the script. The range A-z also takes [ \ ] ^ _ and the backquote;
// `$` is in neither class, so a name holding it breaks the list.
std::optional<ParameterList> findParameterList(std::string_view script);

// 1 for four commas (five parameters), 2 for six (seven), 0 for anything else.
std::int64_t themeTypeForScript(std::string_view script);

}  // namespace ThemeSignature
