#include "hosts/settings/ViewTreeDump.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "hosts/settings/VisibleViews.h"

namespace settingshost {
namespace {

// At most two decimals, no trailing zeros: 16, 80.5, 0.33.
std::string number(double v) {
    std::ostringstream out;
    const double rounded = std::round(v * 100) / 100;
    out << (rounded == 0 ? 0.0 : rounded);
    return out.str();
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + "\"";
}

}  // namespace

std::string dumpViewTree(uikit::UIWindow& window) {
    std::string out =
        "# visible views only (hidden, fully transparent and off-window views left out); "
        "class {x, y, width, height} in window points, \"text\", alpha when below 1\n";
    for (const VisibleView& v : visibleViews(window)) {
        out += std::string(2 * v.depth, ' ') + readableClassName(*v.view) + " {" + number(v.frame.origin.x) + ", " +
               number(v.frame.origin.y) + ", " + number(v.frame.size.width) + ", " + number(v.frame.size.height) + "}";
        if (const std::string text = shownText(*v.view); !text.empty()) out += " " + quoted(text);
        if (v.view->alpha() < 1) out += " alpha " + number(v.view->alpha());
        out += "\n";
    }
    return out;
}

bool writeViewTree(uikit::UIWindow& window, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << dumpViewTree(window);
    file.close();
    return bool(file);
}

}  // namespace settingshost
