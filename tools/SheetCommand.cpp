// ampora sheet: a theme in every state, on light and dark status bars.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/QVAXManager.h"
#include "platform/webview/Fonts.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/Command.h"
#include "tools/ThemeSource.h"

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora sheet [--theme NAME | --script FILE] [--scale S] -o FILE.png\n"
    "\n"
    "Draws a contact sheet: levels 0, 5, 10, 20, 21, 50, 75, 99 and 100 across; normal,\n"
    "charging, full while charging and low power down, each on a light and a dark status\n"
    "bar, with the color settings of the preferences root.\n";

const int kLevels[] = {0, 5, 10, 20, 21, 50, 75, 99, 100};

struct State {
    const char* label;
    bool charging, lowPower, onlyFull;
};
const State kStates[] = {
    {"normal", false, false, false},
    {"charging", true, false, false},
    {"full, charging", true, false, true},
    {"low power", false, true, false},
};

struct Bar {
    const char* label;
    graphics::Color foreground;
    double background[3];
};
const Bar kBars[] = {
    {"dark bar", graphics::Color::grey(1), {0.11, 0.11, 0.12}},
    {"light bar", graphics::Color::grey(0), {0.95, 0.95, 0.97}},
};

void drawLabel(cairo_t* cr, const std::string& text, double x, double y, double sizePx, double grey, bool centred) {
    webview::FontSpec font;
    font.sizePx = sizePx;
    font.families = {"Helvetica Neue"};
    PangoLayout* layout = pango_layout_new(webview::Fonts::shared().context());
    pango_layout_set_font_description(layout, webview::Fonts::shared().description(font));
    pango_layout_set_text(layout, text.c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double w = logical.width / double(PANGO_SCALE), h = logical.height / double(PANGO_SCALE);
    cairo_save(cr);
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_move_to(cr, centred ? x - w / 2 : x, y - h / 2);
    pango_cairo_layout_path(cr, layout);
    cairo_fill(cr);
    cairo_restore(cr);
    g_object_unref(layout);
}

}  // namespace

int sheetCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    double scale = 2;
    std::optional<ThemeFile> theme;
    std::string output;
    try {
        scale = args.number("--scale", 1, 4).value_or(2);
        theme = themeFromOptions(args);
        output = outputAndNothingElse(args);
    } catch (const UsageError& e) {
        return usageFailure("sheet", e.what(), kHelp);
    }
    graphics::setMainScreenScale(scale);
    QVAXManager manager;
    if (!startEngine(manager, theme, "sheet")) return kFailure;
    const std::string title = theme ? theme->name : manager.theme();

    // Render every cell first: the widest icon sets the column width.
    const size_t rows = std::size(kStates) * std::size(kBars), columns = std::size(kLevels);
    std::vector<graphics::Image> cells(rows * columns);
    std::vector<std::string> failures;
    double widest = 0, tallest = 0;
    for (size_t s = 0; s < std::size(kStates); ++s)
        for (size_t b = 0; b < std::size(kBars); ++b)
            for (size_t c = 0; c < columns; ++c) {
                const State& state = kStates[s];
                if (state.onlyFull && kLevels[c] != 100) continue;
                auto image = manager.batteryImageWithForegoundColor(kBars[b].foreground, 20 * scale, kLevels[c],
                                                                    state.charging, state.lowPower);
                if (!image) {
                    failures.push_back(std::string(state.label) + " " + std::to_string(kLevels[c]) + "%: " +
                                       QVAXManager::lastEvaluation().describe());
                    continue;
                }
                widest = std::max(widest, image->width());
                tallest = std::max(tallest, image->height());
                cells[(s * std::size(kBars) + b) * columns + c] = image;
            }

    const double margin = 12, labelWidth = 120, header = 40, rowHeight = std::max(28.0, tallest + 8);
    const double column = std::max(44.0, widest + 14);
    const double width = margin * 2 + labelWidth + column * columns, height = margin * 2 + header + rowHeight * rows;
    graphics::BitmapContext sheet(width, height, scale);
    cairo_t* cr = sheet.cairo();
    cairo_scale(cr, scale, scale);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    drawLabel(cr, title, margin, margin + 8, 14, 0.1, false);
    for (size_t c = 0; c < columns; ++c)
        drawLabel(cr, std::to_string(kLevels[c]) + "%", margin + labelWidth + column * (c + 0.5), margin + 30, 11, 0.35, true);

    for (size_t r = 0; r < rows; ++r) {
        const State& state = kStates[r / std::size(kBars)];
        const Bar& bar = kBars[r % std::size(kBars)];
        const double top = margin + header + rowHeight * r;
        cairo_set_source_rgb(cr, bar.background[0], bar.background[1], bar.background[2]);
        cairo_rectangle(cr, margin + labelWidth, top + 1, column * columns, rowHeight - 2);
        cairo_fill(cr);
        drawLabel(cr, std::string(state.label) + " · " + bar.label, margin, top + rowHeight / 2, 11, 0.25, false);
        for (size_t c = 0; c < columns; ++c) {
            const auto& image = cells[r * columns + c];
            if (!image) continue;
            const double x = margin + labelWidth + column * c + (column - image->width()) / 2;
            const double y = top + (rowHeight - image->height()) / 2;
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, 1 / image->scale(), 1 / image->scale());
            cairo_set_source_surface(cr, image->surface(), 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    if (!writeResult(output, sheet.image()->pngData(), "sheet")) return kFailure;
    for (const auto& f : failures) std::fprintf(stderr, "ampora sheet: no image for %s\n", f.c_str());
    return failures.empty() ? kSuccess : kFailure;
}

}  // namespace tools
