#include "platform/webview/CanvasStyles.h"

#include <algorithm>
#include <array>
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

namespace {

// The gradient's color at `t`; at a hard stop, `after` picks the later color.
std::array<double, 4> colorAt(const CanvasGradient& g, double t, bool after) {
    auto rgba = [](const RGBA8& c) { return std::array<double, 4>{c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0}; };
    if (g.stops.empty()) return {0, 0, 0, 0};
    size_t next = 0;  // first stop past t (or at it, for the color before a hard stop)
    while (next < g.stops.size() && (after ? g.stops[next].first <= t : g.stops[next].first < t)) ++next;
    if (next == 0) return rgba(g.stops.front().second);
    if (next == g.stops.size()) return rgba(g.stops.back().second);
    const auto& [o0, c0] = g.stops[next - 1];
    const auto& [o1, c1] = g.stops[next];
    const double f = o1 > o0 ? (t - o0) / (o1 - o0) : 0;
    auto a = rgba(c0), b = rgba(c1);
    for (int i = 0; i < 4; ++i) a[size_t(i)] += (b[size_t(i)] - a[size_t(i)]) * f;
    return a;
}

// cairo has no conic pattern: a fan of thin mesh sectors, cut also at every
// stop so hard stops stay sharp.
cairo_pattern_t* conicMesh(const CanvasGradient& g, double reach) {
    constexpr int kSectors = 256;
    const double kReach = reach + std::hypot(g.x0, g.y0);
    std::vector<double> cuts;
    for (int i = 0; i <= kSectors; ++i) cuts.push_back(double(i) / kSectors);
    for (const auto& stop : g.stops) cuts.push_back(stop.first);
    std::sort(cuts.begin(), cuts.end());
    cairo_pattern_t* mesh = cairo_pattern_create_mesh();
    auto point = [&](double t) {
        const double a = g.startAngle + 2 * M_PI * t;
        return std::pair{g.x0 + kReach * std::cos(a), g.y0 + kReach * std::sin(a)};
    };
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double t0 = cuts[i], t1 = cuts[i + 1];
        if (t1 <= t0) continue;
        const auto c0 = colorAt(g, t0, true), c1 = colorAt(g, t1, false);
        const auto [ax, ay] = point(t0);
        const auto [bx, by] = point(t1);
        cairo_mesh_pattern_begin_patch(mesh);
        cairo_mesh_pattern_move_to(mesh, g.x0, g.y0);
        cairo_mesh_pattern_line_to(mesh, ax, ay);
        cairo_mesh_pattern_line_to(mesh, bx, by);
        cairo_mesh_pattern_line_to(mesh, g.x0, g.y0);
        cairo_mesh_pattern_set_corner_color_rgba(mesh, 0, c0[0], c0[1], c0[2], c0[3]);
        cairo_mesh_pattern_set_corner_color_rgba(mesh, 1, c0[0], c0[1], c0[2], c0[3]);
        cairo_mesh_pattern_set_corner_color_rgba(mesh, 2, c1[0], c1[1], c1[2], c1[3]);
        cairo_mesh_pattern_set_corner_color_rgba(mesh, 3, c1[0], c1[1], c1[2], c1[3]);
        cairo_mesh_pattern_end_patch(mesh);
    }
    return mesh;
}

}  // namespace

cairo_pattern_t* makeCairoPattern(const CanvasStyle& style, double reach) {
    if (auto color = std::get_if<RGBA8>(&style))
        return cairo_pattern_create_rgba(color->r / 255.0, color->g / 255.0, color->b / 255.0, color->a / 255.0);
    if (auto gradient = std::get_if<std::shared_ptr<CanvasGradient>>(&style)) {
        const CanvasGradient& g = **gradient;
        if (g.kind == CanvasGradient::Kind::Conic) return conicMesh(g, reach);
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
