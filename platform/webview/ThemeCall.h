#pragma once
// A theme's call as the engine and the previews write it: a function
// expression, then its arguments, which are plain numbers, booleans and arrays
// of numbers. Only the arguments change from one redraw to the next.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace webview {

struct ThemeCall {
    struct Argument {
        enum class Kind { Number, Boolean, Numbers } kind = Kind::Number;
        std::vector<double> values;  // one for a number or a boolean
    };
    std::string_view function;  // "(function(...){...})", as written
    std::vector<Argument> arguments;
};

// The call's parts when `script` ends in an argument list of that form after a
// parenthesised expression starting "(function"; nullopt otherwise. Whether
// the parentheses really enclose one expression is for the caller to check.
std::optional<ThemeCall> splitThemeCall(std::string_view script);

}  // namespace webview
