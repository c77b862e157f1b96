#include "common/ThemeCall.h"

#include <cstdio>

namespace ThemeCall {
namespace {

// Channel bytes are truncated, never rounded: 0.999 passes 254.
int byte(double channel) { return static_cast<int>(channel * 255); }

std::string call(std::string_view script, const char* arguments) {
    std::string text;
    text.reserve(script.size() + 80);
    text.append("(function").append(script).append(")(").append(arguments).append(")");
    return text;
}

}  // namespace

std::string fiveParameterCall(std::string_view script, const Arguments& a) {
    char arguments[512];
    // %0.0f rounds an exact half to the even neighbour, as the platform's formatter does.
    std::snprintf(arguments, sizeof arguments, "%0.0f,%i,!!%i,!!%i,[%i,%i,%i]", a.height, a.level, a.charging ? 1 : 0,
                  a.low ? 1 : 0, byte(a.main.red()), byte(a.main.green()), byte(a.main.blue()));
    return call(script, arguments);
}

std::string sevenParameterCall(std::string_view script, const Arguments& a) {
    char arguments[512];
    std::snprintf(arguments, sizeof arguments, "%0.0f,%i,!!%i,!!%i,!!%i,[%i,%i,%i],[%i,%i,%i,%.2f]", a.height, a.level,
                  a.charging ? 1 : 0, a.low ? 1 : 0, a.lowPowerMode ? 1 : 0, byte(a.main.red()),
                  byte(a.main.green()), byte(a.main.blue()), byte(a.base.red()), byte(a.base.green()),
                  byte(a.base.blue()), a.base.alpha());
    return call(script, arguments);
}

}  // namespace ThemeCall
