// ampora preview: the settings pane's light/dark preview box of a theme.
#include <cstdio>

#include "platform/foundation/AtomicWrite.h"
#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UIScreen.h"
#include "platform/webview/WebView.h"
#include "settings/preview/QVAXBatteryPreView.h"
#include "settings/preview/QVAXBatteryRenderer.h"
#include "tools/Command.h"
#include "tools/ThemeSource.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora preview [--theme NAME | --script FILE] [--height P] [--scale S] [--size WxH] -o FILE.png\n"
    "\n"
    "Draws the preview box the settings pane shows for a theme: a rounded box with\n"
    "the icon on a light half and on a dark half, in the colors and mirroring of\n"
    "the preferences root's settings.\n"
    "\n"
    "  --theme NAME   a theme of the theme folder instead of the selected one\n"
    "  --script FILE  a script file instead of the selected theme\n"
    "  --height P     the icon's height in points (default 26)\n"
    "  --scale S      pixels per point (default 2)\n"
    "  --size WxH     the box in points (default 110x44)\n"
    "  -o FILE.png    where to write the picture\n";

uikit::CGSize parseSize(const std::string& text) {
    double w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%lf%c%lf%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X') || !(w >= 2) ||
        !(h >= 2) || w > 2000 || h > 2000)
        throw UsageError("--size takes WIDTHxHEIGHT in points from 2 to 2000, such as 110x44, not '" + text + "'");
    return {w, h};
}

}  // namespace

int previewCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    double height = 26, scale = 2;
    uikit::CGSize size{110, 44};
    std::optional<ThemeFile> theme;
    std::string output;
    try {
        height = args.number("--height", 1, 200).value_or(26);
        scale = args.number("--scale", 1, 4).value_or(2);
        if (auto s = args.value("--size")) size = parseSize(*s);
        theme = themeFromOptions(args);
        output = outputAndNothingElse(args);
    } catch (const UsageError& e) {
        return usageFailure("preview", e.what(), kHelp);
    }
    if (theme && !theme->text) {
        std::fprintf(stderr, "ampora preview: %s cannot be read as UTF-8 text\n", theme->path.c_str());
        return kFailure;
    }

    uikit::UIScreen::mainScreen().setScale(scale);
    PreviewRenderSettings settings = getBatteryRenderSettings();
    if (theme) settings.lightSettings->script = settings.darkSettings->script = *theme->text;

    auto window = std::make_shared<uikit::UIWindow>(uikit::CGRectMake(0, 0, size.width, size.height));
    window->setBackgroundColor(std::nullopt);
    auto preview = std::make_shared<QVAXBatteryPreView>(uikit::CGRectMake(0, 0, size.width, size.height));
    preview->setLightSettings(settings.lightSettings);
    preview->setDarkSettings(settings.darkSettings);
    preview->setBatteryImageHeight(height);
    window->addSubview(preview);
    uikit::OffscreenScreen screen(window);
    auto image = screen.render(scale);
    if (!preview->lightBatteryView()->image() || !preview->darkBatteryView()->image())
        std::fprintf(stderr, "ampora preview: the theme gave no image (%s); only the backgrounds show\n",
                     QVAXBatteryRenderer::lastEvaluation().kind == webview::EvaluationOutcome::Kind::String
                         ? "the result is not a PNG data URL"
                         : QVAXBatteryRenderer::lastEvaluation().describe().c_str());
    // A device or FIFO is written in place, as render -o does, never replaced by a file.
    std::string problem = "nothing was drawn";
    if (!image || !foundation::writeOutputFile(output, image->pngData(), problem)) {
        std::fprintf(stderr, "ampora preview: %s\n", problem.c_str());
        return kFailure;
    }
    return kSuccess;
}

}  // namespace tools
