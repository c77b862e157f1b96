// ampora render: one icon through the engine's own path.
#include <cstdio>

#include "engine/QVAXManager.h"
#include "platform/webview/WebView.h"
#include "tools/Appearance.h"
#include "tools/AuthorOutput.h"
#include "tools/Command.h"
#include "tools/ThemeSource.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora render --level N [--charging] [--lpm] [--panel dark|light | --foreground COLOR]\n"
    "                     [--height POINTS] [--scale S] [--theme NAME | --script FILE] -o FILE.png\n"
    "\n"
    "Draws one battery icon as the status bar would get it, with the settings of the\n"
    "preferences root (colors, secondary theme, mirroring, charging-symbol padding),\n"
    "as if Ampora were switched on.\n"
    "\n"
    "  --level N           battery level, 0 to 100\n"
    "  --charging          plugged in\n"
    "  --lpm               low-power mode\n"
    "  --panel P           the panel's own color: dark (white icon colors, the\n"
    "                      default) or light (black)\n"
    "  --foreground COLOR  the status bar's text color as hex, e.g. #FFFFFF\n"
    "  --height POINTS     status-bar height in points (default 20)\n"
    "  --scale S           pixels per point (default 2)\n"
    "  --theme NAME        a theme of the theme folder instead of the selected one\n"
    "  --script FILE       a script file instead of the selected theme\n"
    "  -o FILE.png         where to write the icon (- for standard output)\n";

}  // namespace

int renderCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    double level = 0, height = 20, scale = 2;
    bool charging = false, lpm = false;
    graphics::Color foreground = graphics::Color::grey(1);
    std::optional<ThemeFile> theme;
    std::string output;
    try {
        auto l = args.number("--level", 0, 100);
        if (!l) throw UsageError("--level is required");
        level = *l;
        charging = args.flag("--charging");
        lpm = args.flag("--lpm");
        foreground = foregroundFromOptions(args, "render");
        height = args.number("--height", 1, 200).value_or(20);
        scale = args.number("--scale", 1, 4).value_or(2);
        theme = themeFromOptions(args);
        output = outputAndNothingElse(args);
    } catch (const UsageError& e) {
        return usageFailure("render", e.what(), kHelp);
    }

    graphics::setMainScreenScale(scale);
    QVAXManager manager;
    if (!startEngine(manager, theme, "render")) return kFailure;
    const std::string state = std::to_string(int(level)) + "%" + (charging ? " charging" : "") + (lpm ? " low power" : "");
    ConsoleToStderr console(state);
    auto image = manager.batteryImageWithForegoundColor(foreground, height * scale, int(level), charging, lpm);
    if (!image) {
        const auto& outcome = QVAXManager::lastEvaluation();
        const std::string why = outcome.kind == webview::EvaluationOutcome::Kind::String
                                    ? "the result is not a PNG data URL"
                                    : outcome.describe();
        // The theme that ran: the --script file unless the secondary theme took over.
        const std::string ran = theme && !manager.usingSecondary() ? "script " + theme->path : "theme '" + manager.theme() + "'";
        std::fprintf(stderr, "ampora render: %s gave no image: %s\n", ran.c_str(), why.c_str());
        return kFailure;
    }
    return writeResult(output, image->pngData(), "render") ? kSuccess : kFailure;
}

}  // namespace tools
