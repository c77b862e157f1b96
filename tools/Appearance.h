#pragma once
// The status bar's own text color that a render is made for.

#include "common/ColorParsing.h"
#include "platform/graphics/Color.h"
#include "tools/Arguments.h"

namespace tools {

// --appearance light (white text, for a dark bar), dark (black text) or
// --foreground COLOR; light when neither is given.
inline graphics::Color foregroundFromOptions(Arguments& args) {
    auto appearance = args.value("--appearance");
    auto foreground = args.value("--foreground");
    if (appearance && foreground) throw UsageError("give --appearance or --foreground, not both");
    if (foreground) {
        auto color = ColorParsing::colorFromHexString(*foreground);
        if (!color || !isHexColor(*foreground))
            throw UsageError("--foreground takes a hex color (# and 6 or 8 hex digits) such as #FFFFFF, not '" + *foreground + "'");
        return *color;
    }
    if (!appearance || *appearance == "light") return graphics::Color::grey(1);
    if (*appearance == "dark") return graphics::Color::grey(0);
    throw UsageError("--appearance is light or dark, not '" + *appearance + "'");
}

}  // namespace tools
