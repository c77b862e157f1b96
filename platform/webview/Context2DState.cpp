// State, transforms and the style attributes of the 2D context.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"

namespace webview {
namespace {

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

Context2D::Context2D(CanvasElement& canvas) : canvas_(canvas) { reset(); }

Context2D::~Context2D() { detachSurface(); }

void Context2D::detachSurface() {
    if (cr_) cairo_destroy(cr_);
    cr_ = nullptr;
    if (spareLayer_) cairo_surface_destroy(spareLayer_);
    spareLayer_ = nullptr;
}

void Context2D::reset() {
    states_.assign(1, DrawingState());
    path_.clear();
}

cairo_t* Context2D::cairo() {
    if (!cr_ && canvas_.surface()) cr_ = cairo_create(canvas_.surface());
    return cr_;
}

void Context2D::save() {
    // A bound keeps a runaway script from exhausting memory through the stack.
    if (states_.size() < 1024 * 64) states_.push_back(states_.back());
}

void Context2D::restore() {
    if (states_.size() > 1) states_.pop_back();
}

void Context2D::translate(double x, double y) {
    if (finite({x, y})) cairo_matrix_translate(&state().transform, x, y);
}

void Context2D::rotate(double angle) {
    if (finite({angle})) cairo_matrix_rotate(&state().transform, angle);
}

void Context2D::scale(double x, double y) {
    if (finite({x, y})) cairo_matrix_scale(&state().transform, x, y);
}

void Context2D::transform(double a, double b, double c, double d, double e, double f) {
    if (!finite({a, b, c, d, e, f})) return;
    cairo_matrix_t m;
    cairo_matrix_init(&m, a, b, c, d, e, f);
    cairo_matrix_multiply(&state().transform, &m, &state().transform);
}

void Context2D::setTransform(double a, double b, double c, double d, double e, double f) {
    if (!finite({a, b, c, d, e, f})) return;
    cairo_matrix_init(&state().transform, a, b, c, d, e, f);
}

void Context2D::resetTransform() { cairo_matrix_init_identity(&state().transform); }

void Context2D::setLineWidth(double v) {
    if (std::isfinite(v) && v > 0) state().lineWidth = v;
}

void Context2D::setMiterLimit(double v) {
    if (std::isfinite(v) && v > 0) state().miterLimit = v;
}

void Context2D::setLineCap(const std::string& v) {
    if (v == "butt") state().lineCap = CAIRO_LINE_CAP_BUTT;
    else if (v == "round") state().lineCap = CAIRO_LINE_CAP_ROUND;
    else if (v == "square") state().lineCap = CAIRO_LINE_CAP_SQUARE;
}

void Context2D::setLineJoin(const std::string& v) {
    if (v == "miter") state().lineJoin = CAIRO_LINE_JOIN_MITER;
    else if (v == "round") state().lineJoin = CAIRO_LINE_JOIN_ROUND;
    else if (v == "bevel") state().lineJoin = CAIRO_LINE_JOIN_BEVEL;
}

std::string Context2D::lineCap() const {
    switch (state().lineCap) {
    case CAIRO_LINE_CAP_ROUND: return "round";
    case CAIRO_LINE_CAP_SQUARE: return "square";
    default: return "butt";
    }
}

std::string Context2D::lineJoin() const {
    switch (state().lineJoin) {
    case CAIRO_LINE_JOIN_ROUND: return "round";
    case CAIRO_LINE_JOIN_BEVEL: return "bevel";
    default: return "miter";
    }
}

void Context2D::setLineDash(std::vector<double> dash) {
    for (double d : dash)
        if (!std::isfinite(d) || d < 0) return;
    // An odd list is repeated to make it even.
    if (dash.size() % 2) dash.insert(dash.end(), dash.begin(), dash.end());
    state().lineDash = std::move(dash);
}

void Context2D::setGlobalAlpha(double v) {
    if (std::isfinite(v) && v >= 0 && v <= 1) state().globalAlpha = v;
}

void Context2D::setGlobalCompositeOperation(const std::string& v) {
    static const char* known[] = {"source-over", "source-in", "source-out", "source-atop", "destination-over",
                                  "destination-in", "destination-out", "destination-atop", "lighter", "copy",
                                  "xor", "multiply", "screen", "overlay", "darken", "lighten", "color-dodge",
                                  "color-burn", "hard-light", "soft-light", "difference", "exclusion", "hue",
                                  "saturation", "color", "luminosity"};
    for (const char* k : known)
        if (v == k) state().globalCompositeOperation = v;
}

bool Context2D::setFont(const std::string& v) {
    auto font = parseCssFont(v);
    if (!font) return false;
    state().font = *font;
    return true;
}

void Context2D::setTextAlign(const std::string& v) {
    if (v == "start" || v == "end" || v == "left" || v == "right" || v == "center") state().textAlign = v;
}

void Context2D::setTextBaseline(const std::string& v) {
    if (v == "top" || v == "hanging" || v == "middle" || v == "alphabetic" || v == "ideographic" || v == "bottom")
        state().textBaseline = v;
}

namespace {

// A CSS <length> in px; font-relative units against the current font.
std::optional<double> cssLength(std::string v, double fontSize) {
    for (char& c : v) c = char(std::tolower(static_cast<unsigned char>(c)));
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.back()))) v.pop_back();
    size_t start = 0;
    while (start < v.size() && std::isspace(static_cast<unsigned char>(v[start]))) ++start;
    v = v.substr(start);
    char* end = nullptr;
    const double n = std::strtod(v.c_str(), &end);
    if (end == v.c_str() || !std::isfinite(n)) return std::nullopt;
    const std::string unit(end);
    if (unit.empty()) return n == 0 ? std::optional<double>(0) : std::nullopt;
    static const std::pair<const char*, double> units[] = {{"px", 1},       {"pt", 4.0 / 3}, {"pc", 16},
                                                            {"in", 96},      {"cm", 96 / 2.54}, {"mm", 96 / 25.4},
                                                            {"q", 96 / 101.6}, {"rem", 16}};
    for (const auto& [name, px] : units)
        if (unit == name) return n * px;
    if (unit == "em") return n * fontSize;
    return std::nullopt;
}

}  // namespace

void Context2D::setLetterSpacing(const std::string& v) {
    if (auto px = cssLength(v, state().font.sizePx)) state().letterSpacing = *px, state().letterSpacingText = v;
}

void Context2D::setWordSpacing(const std::string& v) {
    if (auto px = cssLength(v, state().font.sizePx)) state().wordSpacing = *px, state().wordSpacingText = v;
}

void Context2D::setDirection(const std::string& v) {
    if (v == "ltr" || v == "rtl" || v == "inherit") state().direction = v;
}

bool Context2D::setFillColor(const std::string& css) {
    auto c = parseCssColor(css);
    if (c) state().fillStyle = *c;
    return c.has_value();
}

bool Context2D::setStrokeColor(const std::string& css) {
    auto c = parseCssColor(css);
    if (c) state().strokeStyle = *c;
    return c.has_value();
}

bool Context2D::setShadowColor(const std::string& css) {
    auto c = parseCssColor(css);
    if (c) state().shadowColor = *c;
    return c.has_value();
}

}  // namespace webview
