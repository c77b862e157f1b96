#include "platform/webview/CanvasStyles.h"

#include <algorithm>
#include <cmath>

#include "platform/webview/DOMException.h"

namespace webview {

void CanvasGradient::addColorStop(double offset, const std::string& color) {
    if (!(offset >= 0 && offset <= 1))
        throw DOMException("IndexSizeError", "The provided value (" + std::to_string(offset) +
                                                 ") is outside the range (0.0, 1.0).");
    auto parsed = parseCssColor(color);
    if (!parsed) throw DOMException("SyntaxError", "The value provided ('" + color + "') could not be parsed as a color.");
    auto at = std::upper_bound(stops.begin(), stops.end(), offset,
                               [](double o, const auto& stop) { return o < stop.first; });
    stops.insert(at, {offset, *parsed});
}

CanvasPattern::CanvasPattern(cairo_surface_t* snapshot, std::string repetition)
    : surface(snapshot), repetition(std::move(repetition)) {}

CanvasPattern::~CanvasPattern() {
    if (surface) cairo_surface_destroy(surface);
}

cairo_pattern_t* makeCairoPattern(const CanvasStyle& style) {
    if (auto color = std::get_if<RGBA8>(&style))
        return cairo_pattern_create_rgba(color->r / 255.0, color->g / 255.0, color->b / 255.0, color->a / 255.0);
    if (auto gradient = std::get_if<std::shared_ptr<CanvasGradient>>(&style)) {
        const CanvasGradient& g = **gradient;
        cairo_pattern_t* p = g.kind == CanvasGradient::Kind::Linear
                                 ? cairo_pattern_create_linear(g.x0, g.y0, g.x1, g.y1)
                                 : cairo_pattern_create_radial(g.x0, g.y0, g.r0, g.x1, g.y1, g.r1);
        // A gradient without stops paints nothing.
        if (g.stops.empty()) cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
        for (const auto& [offset, c] : g.stops)
            cairo_pattern_add_color_stop_rgba(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        return p;
    }
    const CanvasPattern& pattern = *std::get<std::shared_ptr<CanvasPattern>>(style);
    if (!pattern.surface) return cairo_pattern_create_rgba(0, 0, 0, 0);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(pattern.surface);
    cairo_pattern_set_extend(p, pattern.repetition == "no-repeat" ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_REPEAT);
    return p;
}

}  // namespace webview
