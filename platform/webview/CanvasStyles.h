#pragma once
// What fillStyle and strokeStyle can hold: a color, a gradient or a pattern.

#include <cairo.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/webview/CssColor.h"

namespace webview {

struct CanvasGradient {
    enum class Kind { Linear, Radial, Conic } kind = Kind::Linear;
    double x0 = 0, y0 = 0, r0 = 0, x1 = 0, y1 = 0, r1 = 0;
    double startAngle = 0;  // conic: radians from the positive x axis, clockwise; centred on x0, y0
    std::vector<std::pair<double, RGBA8>> stops;  // kept in offset order, ties in call order

    void addColorStop(double offset, const std::string& color);  // throws DOMException
};

struct CanvasPattern {
    CanvasPattern(cairo_surface_t* snapshot, std::string repetition);
    ~CanvasPattern();
    CanvasPattern(const CanvasPattern&) = delete;
    CanvasPattern& operator=(const CanvasPattern&) = delete;

    cairo_surface_t* surface;
    std::string repetition;
};

using CanvasStyle = std::variant<RGBA8, std::shared_ptr<CanvasGradient>, std::shared_ptr<CanvasPattern>>;

// A cairo source for the style, in the canvas user space; the caller destroys
// it. `reach`: how far from any point of user space the drawing may go.
cairo_pattern_t* makeCairoPattern(const CanvasStyle& style, double reach = 32768);

}  // namespace webview
