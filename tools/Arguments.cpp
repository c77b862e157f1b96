#include "tools/Arguments.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/Command.h"

namespace tools {

bool Arguments::wantsHelp() const {
    for (const auto& a : args_)
        if (a == "--help" || a == "-h") return true;
    return false;
}

bool Arguments::flag(const std::string& name) {
    for (auto it = args_.begin(); it != args_.end(); ++it)
        if (*it == name) {
            args_.erase(it);
            return true;
        }
    return false;
}

std::optional<std::string> Arguments::value(const std::string& name) {
    for (auto it = args_.begin(); it != args_.end(); ++it) {
        if (*it == name) {
            if (it + 1 == args_.end()) throw UsageError(name + " needs a value");
            std::string v = *(it + 1);
            args_.erase(it, it + 2);
            return v;
        }
        if (it->rfind(name + "=", 0) == 0) {
            std::string v = it->substr(name.size() + 1);
            args_.erase(it);
            return v;
        }
    }
    return std::nullopt;
}

std::optional<double> Arguments::number(const std::string& name, double min, double max) {
    auto text = value(name);
    if (!text) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || !std::isfinite(v) || v < min || v > max) {
        char range[96];
        std::snprintf(range, sizeof range, "%g to %g", min, max);
        throw UsageError(name + " takes a number from " + range + ", not '" + *text + "'");
    }
    return v;
}

std::vector<std::string> Arguments::positional() {
    for (const auto& a : args_)
        if (a.size() > 1 && a[0] == '-') throw UsageError("unknown option '" + a + "'");
    return args_;
}

int usageFailure(const char* command, const std::string& message, const char* help) {
    std::fprintf(stderr, "ampora %s: %s\n\n%s", command, message.c_str(), help);
    return kUsage;
}

}  // namespace tools
