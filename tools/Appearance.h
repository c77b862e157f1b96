#pragma once
// The status bar's own text color that a render is made for.

#include <cstdio>

#include "common/ColorParsing.h"
#include "platform/graphics/Color.h"
#include "tools/Arguments.h"

namespace tools {

// --panel dark (white icon colors, the default), light (black) or --foreground
// COLOR. The old --appearance named the text's color, the opposite of the
// panel's; it still works and says what to write now.
inline graphics::Color foregroundFromOptions(Arguments& args, const char* command) {
    auto panel = args.value("--panel");
    auto appearance = args.value("--appearance");
    auto foreground = args.value("--foreground");
    if (int(bool(panel)) + int(bool(appearance)) + int(bool(foreground)) > 1)
        throw UsageError("give one of --panel and --foreground");
    if (foreground) {
        auto color = ColorParsing::colorFromHexString(*foreground);
        if (!color || !isHexColor(*foreground))
            throw UsageError("--foreground takes a hex color (# and 6 or 8 hex digits) such as #FFFFFF, not '" + *foreground + "'");
        return *color;
    }
    if (appearance) {
        if (*appearance != "light" && *appearance != "dark")
            throw UsageError("--appearance is light or dark, not '" + *appearance + "'; say --panel dark|light now");
        const bool light = *appearance == "light";
        std::fprintf(stderr, "ampora %s: --appearance is now --panel, which names the panel's color: "
                     "--appearance %s is --panel %s\n", command, appearance->c_str(), light ? "dark" : "light");
        return graphics::Color::grey(light ? 1 : 0);
    }
    if (!panel || *panel == "dark") return graphics::Color::grey(1);
    if (*panel == "light") return graphics::Color::grey(0);
    throw UsageError("--panel is dark or light, not '" + *panel + "'");
}

}  // namespace tools
