#include "platform/foundation/LenientValues.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace foundation {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipSpace(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && isSpace(s[i])) ++i;
    return i;
}

// The decimal number a string begins with, as the platform's string scanning reads it.
double leadingDecimal(const std::string& s) {
    size_t i = skipSpace(s), start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
        }
    }
    return std::strtod(s.substr(start, i - start).c_str(), nullptr);
}

std::int32_t saturate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

bool boolValue(const PlistValue* value) {
    if (!value) return false;
    if (auto b = value->asBoolean()) return *b;
    if (auto i = value->asInteger()) return *i != 0;
    if (auto r = value->asReal()) return *r != 0;
    if (auto s = value->asString()) {
        size_t i = skipSpace(*s);
        if (i >= s->size()) return false;
        char c = (*s)[i];
        return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
    }
    return false;
}

std::int32_t intValue(const PlistValue* value) {
    if (!value) return 0;
    if (auto b = value->asBoolean()) return *b ? 1 : 0;
    if (auto i = value->asInteger()) return static_cast<std::int32_t>(*i);
    if (auto r = value->asReal()) return saturate(std::trunc(*r));
    if (auto s = value->asString()) return saturate(std::trunc(leadingDecimal(*s)));
    return 0;
}

double doubleValue(const PlistValue* value) {
    if (!value) return 0;
    if (auto b = value->asBoolean()) return *b ? 1 : 0;
    if (auto i = value->asInteger()) return static_cast<double>(*i);
    if (auto r = value->asReal()) return *r;
    if (auto s = value->asString()) return leadingDecimal(*s);
    return 0;
}

std::optional<std::string> stringValue(const PlistValue* value) {
    if (value && value->asString()) return *value->asString();
    return std::nullopt;
}

bool boolForKey(const PlistDictionary* settings, const std::string& key) {
    return boolValue(valueForKey(settings, key));
}

std::int32_t intForKey(const PlistDictionary* settings, const std::string& key, std::int32_t whenAbsent) {
    const PlistValue* value = valueForKey(settings, key);
    return value ? intValue(value) : whenAbsent;
}

double doubleForKey(const PlistDictionary* settings, const std::string& key, double whenAbsent) {
    const PlistValue* value = valueForKey(settings, key);
    return value ? doubleValue(value) : whenAbsent;
}

std::optional<std::string> stringForKey(const PlistDictionary* settings, const std::string& key) {
    return stringValue(valueForKey(settings, key));
}

}  // namespace foundation
