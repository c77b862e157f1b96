#include "hosts/settings/SettingsOptions.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace settingshost {

const char* const kSettingsUsage =
    "usage: ampora-settings [--page CLASS] [--settings-root] [--size WxH] [--scale S] [--dark | --light]\n"
    "                       [--bundle DIR] [--root DIR]\n"
    "                       [--script FILE] [--dump FILE] [--screenshot FILE]\n"
    "\n"
    "Shows Ampora's settings pages in a window, from the preference bundle's first\n"
    "page or from the page CLASS.\n"
    "\n"
    "  --page CLASS       start at this page class of the bundle\n"
    "  --settings-root    start at a \"Settings\" page whose \"Ampora\" row opens the first page\n"
    "  --size WxH         portrait screen size in points (default 375x667)\n"
    "  --scale S          pixels per point (default 2; the window: the desktop's)\n"
    "  --dark, --light    the pages' look (default: the window follows the desktop's\n"
    "                     color scheme; screenshots and scripts are light)\n"
    "  --bundle DIR       the preference bundle (default: amporasettings.bundle beside\n"
    "                     the program, else ../lib/ampora/amporasettings.bundle)\n"
    "  --root DIR         the preferences root (as AMPORA_PREFERENCES)\n"
    "  --script FILE      runs the steps of FILE off-screen; a failing step exits 1\n"
    "  --dump FILE        writes the visible view tree as text\n"
    "  --screenshot FILE  writes a PNG of the window\n"
    "  --help             shows this text\n"
    "\n"
    "With --script, --dump or --screenshot no window opens (no display is needed):\n"
    "the script runs first, then the dump and the screenshot show where it ended.\n"
    "In the window: the mouse is a finger, the wheel scrolls, Tab and the arrows\n"
    "move the focus, Return or Space taps it, Escape closes an alert or goes back,\n"
    "Alt+Left goes back, Ctrl+R turns the window, Ctrl+Q or Ctrl+W closes it;\n"
    "text fields take the caret keys, Shift selection and Ctrl+A, C, X and V.\n"
    "Resizing the window lays the pages out again.\n";

namespace {

double parseNumber(const std::string& text, const std::string& option) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        throw UsageError(option + " needs a number, not \"" + text + "\"");
    return v;
}

void parseSize(const std::string& text, SettingsOptions& options) {
    const size_t x = text.find('x');
    const std::string why = "--size must be WxH in points, such as 375x667, not \"" + text + "\"";
    if (x == std::string::npos) throw UsageError(why);
    try {
        options.width = parseNumber(text.substr(0, x), "--size");
        options.height = parseNumber(text.substr(x + 1), "--size");
    } catch (const UsageError&) {
        throw UsageError(why);
    }
    if (options.width < 1 || options.height < 1 || options.width > 4096 || options.height > 4096)
        throw UsageError("--size must be from 1x1 to 4096x4096 points");
}

}  // namespace

SettingsOptions parseSettingsOptions(const std::vector<std::string>& args) {
    SettingsOptions options;
    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, Setter> valued = {
        {"--page", [&](const std::string& v) { options.page = v; }},
        {"--size", [&](const std::string& v) { parseSize(v, options); }},
        {"--scale",
         [&](const std::string& v) {
             options.scale = parseNumber(v, "--scale");
             options.scaleGiven = true;
             if (options.scale < 0.5 || options.scale > 4) throw UsageError("--scale must be from 0.5 to 4");
         }},
        {"--screenshot", [&](const std::string& v) { options.screenshot = v; }},
        {"--script", [&](const std::string& v) { options.script = v; }},
        {"--dump", [&](const std::string& v) { options.dump = v; }},
        {"--bundle", [&](const std::string& v) { options.bundle = v; }},
        {"--root", [&](const std::string& v) { options.root = v; }},
    };
    std::set<std::string> seen;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--settings-root") {
            options.settingsRoot = true;
            continue;
        }
        if (arg == "--dark" || arg == "--light") {
            const auto look = arg == "--dark" ? SettingsOptions::Look::dark : SettingsOptions::Look::light;
            if (options.look != SettingsOptions::Look::desktop && options.look != look)
                throw UsageError("--dark and --light cannot both be given");
            options.look = look;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) throw UsageError("unexpected argument \"" + arg + "\"");
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        auto it = valued.find(name);
        if (it == valued.end()) throw UsageError("unknown option " + name);
        if (!seen.insert(name).second) throw UsageError(name + " is given twice");
        std::string value;
        if (equals != std::string::npos) value = arg.substr(equals + 1);
        else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) value = args[++i];
        else throw UsageError(name + " needs a value");
        if (value.empty()) throw UsageError(name + " needs a value");
        it->second(value);
    }
    return options;
}

}  // namespace settingshost
