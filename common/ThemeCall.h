#pragma once
// The line of JavaScript that calls a theme script, in the two conventions.

#include <string>
#include <string_view>

#include "platform/graphics/Color.h"

namespace ThemeCall {

struct Arguments {
    double height = 0;  // pixels
    int level = 0;
    bool charging = false;
    bool low = false;
    bool lowPowerMode = false;  // seven-parameter themes only
    graphics::Color main = graphics::Color::rgb(1, 1, 1);
    graphics::Color base = graphics::Color::rgb(1, 1, 1, 0.3);  // seven-parameter themes only
};

// "(function<script>)(height,level,!!charging,!!low,[r,g,b])"
std::string fiveParameterCall(std::string_view script, const Arguments& arguments);
// "(function<script>)(height,level,!!charging,!!low,!!lpm,[r,g,b],[r,g,b,alpha])"
std::string sevenParameterCall(std::string_view script, const Arguments& arguments);

}  // namespace ThemeCall
