#include "platform/webview/ThemeCall.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace webview {
namespace {

constexpr size_t kMaxArguments = 16;

// -?digits(.digits)?, as printf's %i, %.0f and %.2f write them.
std::optional<double> number(std::string_view& text) {
    size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const size_t digits = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == digits || i - digits > 15) return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        const size_t fraction = ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i == fraction || i - fraction > 6) return std::nullopt;
    }
    const double value = std::strtod(std::string(text.substr(0, i)).c_str(), nullptr);
    text.remove_prefix(i);
    return value;
}

std::optional<ThemeCall::Argument> argument(std::string_view& text) {
    ThemeCall::Argument a;
    if (text.substr(0, 2) == "!!") {
        text.remove_prefix(2);
        auto v = number(text);
        if (!v) return std::nullopt;
        a.kind = ThemeCall::Argument::Kind::Boolean;
        a.values = {*v != 0 ? 1.0 : 0.0};
        return a;
    }
    if (!text.empty() && text[0] == '[') {
        text.remove_prefix(1);
        a.kind = ThemeCall::Argument::Kind::Numbers;
        while (a.values.size() < kMaxArguments) {
            auto v = number(text);
            if (!v) return std::nullopt;
            a.values.push_back(*v);
            if (text.empty()) return std::nullopt;
            const char next = text[0];
            text.remove_prefix(1);
            if (next == ']') return a;
            if (next != ',') return std::nullopt;
        }
        return std::nullopt;
    }
    auto v = number(text);
    if (!v) return std::nullopt;
    a.values = {*v};
    return a;
}

}  // namespace

std::optional<ThemeCall> splitThemeCall(std::string_view script) {
    if (script.size() < 12 || script.back() != ')') return std::nullopt;
    // The argument list holds no parenthesis: its "(" is the last one.
    const size_t open = script.rfind('(');
    if (open == std::string_view::npos || open == 0 || script[open - 1] != ')') return std::nullopt;
    ThemeCall call;
    call.function = script.substr(0, open);
    if (call.function.substr(0, 9) != "(function") return std::nullopt;
    std::string_view list = script.substr(open + 1, script.size() - open - 2);
    while (!list.empty()) {
        if (call.arguments.size() == kMaxArguments) return std::nullopt;
        auto a = argument(list);
        if (!a) return std::nullopt;
        call.arguments.push_back(std::move(*a));
        if (list.empty()) break;
        if (list[0] != ',') return std::nullopt;
        list.remove_prefix(1);
        if (list.empty()) return std::nullopt;
    }
    return call;
}

}  // namespace webview
