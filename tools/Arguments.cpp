#include "tools/Arguments.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/Command.h"

namespace tools {
namespace {

bool names(const std::string& arg, const std::string& name) {
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

Arguments::Arguments(std::vector<std::string> args) {
    auto end = std::find(args.begin(), args.end(), "--");
    args_.assign(args.begin(), end);
    if (end != args.end()) trailing_.assign(end + 1, args.end());
}

bool Arguments::wantsHelp() const {
    for (const auto& a : args_)
        if (a == "--help" || a == "-h") return true;
    return false;
}

bool Arguments::flag(const std::string& name) {
    auto it = std::find(args_.begin(), args_.end(), name);
    if (it == args_.end()) return false;
    args_.erase(it);
    if (std::find(args_.begin(), args_.end(), name) != args_.end()) throw UsageError(name + " is given more than once");
    return true;
}

std::optional<std::string> Arguments::value(const std::string& name) {
    auto it = std::find_if(args_.begin(), args_.end(), [&](const std::string& a) { return names(a, name); });
    if (it == args_.end()) return std::nullopt;
    std::string v;
    if (*it == name) {
        if (it + 1 == args_.end()) throw UsageError(name + " needs a value");
        v = *(it + 1);
        args_.erase(it, it + 2);
    } else {
        v = it->substr(name.size() + 1);
        args_.erase(it);
    }
    if (std::any_of(args_.begin(), args_.end(), [&](const std::string& a) { return names(a, name); }))
        throw UsageError(name + " is given more than once");
    return v;
}

bool isDecimalNumber(const std::string& text) {
    size_t i = text.empty() ? 0 : (text[0] == '-' || text[0] == '+');
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') digits = true;
        else if (text[i] == '.' && !point) point = true;
        else return false;
    }
    return digits;
}

bool isHexColor(const std::string& text) {
    const size_t digits = text.size() - (!text.empty() && text[0] == '#');
    return (digits == 6 || digits == 8) &&
           text.find_first_not_of("0123456789abcdefABCDEF", text.size() - digits) == std::string::npos;
}

std::optional<double> Arguments::number(const std::string& name, double min, double max) {
    auto text = value(name);
    if (!text) return std::nullopt;
    const double v = isDecimalNumber(*text) ? std::strtod(text->c_str(), nullptr) : NAN;
    if (!std::isfinite(v) || v < min || v > max) {
        char range[96];
        std::snprintf(range, sizeof range, "%g to %g", min, max);
        throw UsageError(name + " takes a decimal number from " + range + ", not '" + *text + "'");
    }
    return v;
}

std::vector<std::string> Arguments::positional() {
    for (const auto& a : args_)
        if (a.size() > 1 && a[0] == '-' && !isDecimalNumber(a))
            throw UsageError("unknown option '" + a + "' (put '--' before arguments that begin with '-')");
    std::vector<std::string> all = args_;
    all.insert(all.end(), trailing_.begin(), trailing_.end());
    return all;
}

int usageFailure(const char* command, const std::string& message, const char* help) {
    std::fprintf(stderr, "ampora %s: %s\n\n%s", command, message.c_str(), help);
    return kUsage;
}

}  // namespace tools
