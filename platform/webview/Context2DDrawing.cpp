// Filling, stroking, clipping and rectangles, with compositing applied.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/Context2D.h"

namespace webview {
namespace {

struct Operator {
    cairo_operator_t op;
    bool bounded;  // leaves the canvas alone outside the drawn shape
};

Operator operatorFor(const std::string& name) {
    static const struct {
        const char* name;
        Operator op;
    } table[] = {
        {"source-over", {CAIRO_OPERATOR_OVER, true}},      {"source-in", {CAIRO_OPERATOR_IN, false}},
        {"source-out", {CAIRO_OPERATOR_OUT, false}},       {"source-atop", {CAIRO_OPERATOR_ATOP, true}},
        {"destination-over", {CAIRO_OPERATOR_DEST_OVER, true}}, {"destination-in", {CAIRO_OPERATOR_DEST_IN, false}},
        {"destination-out", {CAIRO_OPERATOR_DEST_OUT, true}}, {"destination-atop", {CAIRO_OPERATOR_DEST_ATOP, false}},
        {"lighter", {CAIRO_OPERATOR_ADD, true}},           {"copy", {CAIRO_OPERATOR_SOURCE, false}},
        {"xor", {CAIRO_OPERATOR_XOR, true}},               {"multiply", {CAIRO_OPERATOR_MULTIPLY, true}},
        {"screen", {CAIRO_OPERATOR_SCREEN, true}},         {"overlay", {CAIRO_OPERATOR_OVERLAY, true}},
        {"darken", {CAIRO_OPERATOR_DARKEN, true}},         {"lighten", {CAIRO_OPERATOR_LIGHTEN, true}},
        {"color-dodge", {CAIRO_OPERATOR_COLOR_DODGE, true}}, {"color-burn", {CAIRO_OPERATOR_COLOR_BURN, true}},
        {"hard-light", {CAIRO_OPERATOR_HARD_LIGHT, true}}, {"soft-light", {CAIRO_OPERATOR_SOFT_LIGHT, true}},
        {"difference", {CAIRO_OPERATOR_DIFFERENCE, true}}, {"exclusion", {CAIRO_OPERATOR_EXCLUSION, true}},
        {"hue", {CAIRO_OPERATOR_HSL_HUE, true}},           {"saturation", {CAIRO_OPERATOR_HSL_SATURATION, true}},
        {"color", {CAIRO_OPERATOR_HSL_COLOR, true}},       {"luminosity", {CAIRO_OPERATOR_HSL_LUMINOSITY, true}},
    };
    for (const auto& entry : table)
        if (name == entry.name) return entry.op;
    return {CAIRO_OPERATOR_OVER, true};
}

bool invertible(const cairo_matrix_t& m) {
    const double det = m.xx * m.yy - m.xy * m.yx;
    return std::isfinite(det) && det != 0;
}

CanvasPath devicePath(const cairo_matrix_t& m, std::initializer_list<Point> corners) {
    CanvasPath path;
    for (Point p : corners) {
        cairo_matrix_transform_point(&m, &p.x, &p.y);
        path.lineTo(p);
    }
    path.closePath();
    return path;
}

}  // namespace

void Context2D::applyClips(cairo_t* cr) const {
    for (const auto& region : state().clips) {
        cairo_new_path(cr);
        region.path->appendTo(cr);
        cairo_set_fill_rule(cr, region.rule);
        cairo_clip(cr);
    }
}

bool Context2D::canDraw() const { return canvas_.surface() && invertible(state().transform); }

void Context2D::setSource(cairo_t* cr, const CanvasStyle& style) {
    // The farthest the canvas lies from the user space's origin, for patterns that must cover it.
    double reach = 0;
    cairo_matrix_t inverse = state().transform;
    if (cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS)
        for (Point p : {Point{0, 0}, Point{double(canvas_.width()), 0}, Point{0, double(canvas_.height())},
                        Point{double(canvas_.width()), double(canvas_.height())}}) {
            cairo_matrix_transform_point(&inverse, &p.x, &p.y);
            reach = std::max(reach, std::hypot(p.x, p.y));
        }
    cairo_pattern_t* pattern = makeCairoPattern(style, 2 * reach + 2);
    if (!std::holds_alternative<RGBA8>(style)) {
        cairo_pattern_set_filter(pattern, state().imageSmoothingEnabled ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        // A pattern is fixed to the user space in force when it becomes the source.
        cairo_matrix_t saved;
        cairo_get_matrix(cr, &saved);
        cairo_set_matrix(cr, &state().transform);
        cairo_set_source(cr, pattern);
        cairo_set_matrix(cr, &saved);
    } else {
        cairo_set_source(cr, pattern);
    }
    cairo_pattern_destroy(pattern);
}

namespace {

constexpr double kMaxLineWidth = 65536;
constexpr double kMaxDashes = 100000;

double transformScale(const cairo_matrix_t& m) {
    return std::max(std::hypot(m.xx, m.yx), std::hypot(m.xy, m.yy));
}

double deviceLength(const CanvasPath& path) {
    double length = 0;
    Point last;
    for (const auto& s : path.segments()) {
        const int points = s.op == CanvasPath::Op::Curve ? 3 : s.op == CanvasPath::Op::Close ? 0 : 1;
        for (int i = 0; i < points; ++i) {
            if (s.op != CanvasPath::Op::Move) length += std::hypot(s.p[i].x - last.x, s.p[i].y - last.y);
            last = s.p[i];
        }
    }
    return length;
}

}  // namespace

void Context2D::applyStrokeStyle(cairo_t* cr, double scale, double pathLength) const {
    const DrawingState& s = state();
    // A line wider than any canvas covers it all the same; wider still would overflow.
    cairo_set_line_width(cr, std::min(s.lineWidth, kMaxLineWidth / scale));
    cairo_set_line_cap(cr, s.lineCap);
    cairo_set_line_join(cr, s.lineJoin);
    cairo_set_miter_limit(cr, s.miterLimit);
    const double total = std::accumulate(s.lineDash.begin(), s.lineDash.end(), 0.0);
    // Millions of dashes take cairo seconds to cut: such a line is drawn whole.
    if (!s.lineDash.empty() && total > 0 && pathLength / (total * scale) < kMaxDashes)
        cairo_set_dash(cr, s.lineDash.data(), int(s.lineDash.size()), s.lineDashOffset);
    else
        cairo_set_dash(cr, nullptr, 0, 0);
}

void Context2D::composite(const std::function<void(cairo_t*)>& draw) {
    if (!canDraw()) return;
    cairo_t* cr = cairo();
    if (!cr) return;
    const DrawingState& s = state();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    const Operator op = operatorFor(s.globalCompositeOperation);
    const bool filtered = hasFilter();
    if (!filtered && op.bounded && s.globalAlpha == 1 && !hasVisibleShadow()) {
        applyClips(cr);
        cairo_set_operator(cr, op.op);
        draw(cr);
    } else {
        // The shape is drawn alone first, then filtered and laid on the canvas
        // as one layer, so operators that reach outside the shape see
        // transparency there. The clip limits only that last step: a shape
        // outside the clip (or the canvas) may still cast its blur or shadow into it.
        const bool shadowed = hasVisibleShadow();
        Reach reach;
        if (filtered) addFilterReach(reach);
        if (shadowed) addShadowReach(reach);
        Layer layer = drawLayer(draw, reach);
        if (layer.surface) {
            if (filtered) applyFilter(layer);
            cairo_identity_matrix(cr);
            applyClips(cr);
            if (shadowed) paintShadow(cr, layer, op.op);
            cairo_set_source_surface(cr, layer.surface, -layer.left, -layer.top);
            cairo_set_operator(cr, op.op);
            cairo_paint_with_alpha(cr, s.globalAlpha);
            cairo_set_source_rgba(cr, 0, 0, 0, 0);  // lets go of the layer
            recycleLayer(layer.surface);
        }
    }
    cairo_restore(cr);
}

Context2D::Layer Context2D::drawLayer(const std::function<void(cairo_t*)>& draw, const Reach& reach) {
    const int width = int(canvas_.width()), height = int(canvas_.height());
    // Drawing farther out reaches the canvas only thinly blurred or by a large
    // offset: past one canvas size on each side, or where the layer would
    // outgrow the largest canvas, it is dropped.
    const double most = std::max(width, height);
    double scale = 1;
    auto margin = [&](double v) { return int(std::ceil(std::min(v, most) * scale)); };
    auto area = [&] {
        return double(width + margin(reach.left) + margin(reach.right)) * (height + margin(reach.top) + margin(reach.bottom));
    };
    while (area() > double(CanvasElement::kMaxArea))
        scale = scale > 1.0 / 64 ? scale / 2 : 0;
    Layer layer;
    layer.left = margin(reach.left), layer.top = margin(reach.top);
    layer.surface = blankLayer(width + layer.left + margin(reach.right), height + layer.top + margin(reach.bottom));
    if (cairo_surface_status(layer.surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(layer.surface);
        return {};
    }
    cairo_surface_set_device_offset(layer.surface, layer.left, layer.top);
    cairo_t* cr = cairo_create(layer.surface);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_set_device_offset(layer.surface, 0, 0);
    cairo_surface_flush(layer.surface);
    return layer;
}

cairo_surface_t* Context2D::blankLayer(int width, int height) {
    cairo_surface_t* spare = std::exchange(spareLayer_, nullptr);
    if (spare && cairo_image_surface_get_width(spare) == width && cairo_image_surface_get_height(spare) == height) {
        cairo_surface_flush(spare);
        const size_t bytes = size_t(cairo_image_surface_get_stride(spare)) * size_t(height);
        std::memset(cairo_image_surface_get_data(spare), 0, bytes);
        cairo_surface_mark_dirty(spare);
        return spare;
    }
    if (spare) cairo_surface_destroy(spare);
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void Context2D::recycleLayer(cairo_surface_t* surface) {
    // Only a small one, and only when nothing else holds it.
    constexpr long kSpareArea = 1024 * 1024;
    if (spareLayer_ || cairo_surface_get_reference_count(surface) != 1 ||
        long(cairo_image_surface_get_width(surface)) * cairo_image_surface_get_height(surface) > kSpareArea) {
        cairo_surface_destroy(surface);
        return;
    }
    spareLayer_ = surface;
}

void Context2D::fillPath(const CanvasPath& path, cairo_fill_rule_t rule) {
    composite([&](cairo_t* cr) {
        cairo_new_path(cr);
        cairo_identity_matrix(cr);
        path.appendTo(cr);
        cairo_set_fill_rule(cr, rule);
        setSource(cr, state().fillStyle);
        cairo_fill(cr);
    });
}

void Context2D::strokePath(const CanvasPath& path) {
    composite([&](cairo_t* cr) {
        // Strokes are shaped in user space: a scaled transform widens the line.
        cairo_matrix_t inverse = state().transform;
        if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return;
        cairo_new_path(cr);
        cairo_set_matrix(cr, &state().transform);
        const double scale = transformScale(state().transform);
        path.appendTo(cr, &inverse, CanvasPath::kMaxCoordinate / scale);
        applyStrokeStyle(cr, scale, deviceLength(path));
        setSource(cr, state().strokeStyle);
        cairo_stroke(cr);
    });
}

void Context2D::fill(cairo_fill_rule_t rule) { fillPath(path_, rule); }
void Context2D::stroke() { strokePath(path_); }

void Context2D::clip(cairo_fill_rule_t rule) {
    state().clips.push_back({std::make_shared<CanvasPath>(path_), rule});
}

void Context2D::fill(const CanvasPath& path, cairo_fill_rule_t rule) { fillPath(path.mapped(state().transform), rule); }
void Context2D::stroke(const CanvasPath& path) { strokePath(path.mapped(state().transform)); }

void Context2D::clip(const CanvasPath& path, cairo_fill_rule_t rule) {
    state().clips.push_back({std::make_shared<CanvasPath>(path.mapped(state().transform)), rule});
}

namespace {

// A context for hit tests only: they draw nothing.
struct ScratchCairo {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    ~ScratchCairo() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

bool inFill(const CanvasPath& devicePath, double x, double y, cairo_fill_rule_t rule) {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    ScratchCairo scratch;
    devicePath.appendTo(scratch.cr);
    cairo_set_fill_rule(scratch.cr, rule);
    return cairo_in_fill(scratch.cr, x, y);
}

}  // namespace

bool Context2D::isPointInPath(double x, double y, cairo_fill_rule_t rule) const { return inFill(path_, x, y, rule); }

bool Context2D::isPointInPath(const CanvasPath& path, double x, double y, cairo_fill_rule_t rule) const {
    return inFill(path.mapped(state().transform), x, y, rule);
}

bool Context2D::isPointInStroke(double x, double y) const { return isPointInStroke(path_, x, y, true); }

bool Context2D::isPointInStroke(const CanvasPath& path, double x, double y) const {
    return isPointInStroke(path, x, y, false);
}

bool Context2D::isPointInStroke(const CanvasPath& path, double x, double y, bool inDeviceSpace) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    cairo_matrix_t inverse = state().transform;
    if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return false;
    // The line is shaped in user space, as stroke() shapes it.
    ScratchCairo scratch;
    cairo_set_matrix(scratch.cr, &state().transform);
    const double scale = transformScale(state().transform);
    if (inDeviceSpace) path.appendTo(scratch.cr, &inverse, CanvasPath::kMaxCoordinate / scale);
    else path.appendTo(scratch.cr, nullptr, CanvasPath::kMaxCoordinate / scale);
    applyStrokeStyle(scratch.cr, scale, 0);
    cairo_matrix_transform_point(&inverse, &x, &y);
    return cairo_in_stroke(scratch.cr, x, y);
}

void Context2D::clearRect(double x, double y, double w, double h) {
    if (!std::isfinite(x + y + w + h) || !canDraw()) return;
    cairo_t* cr = cairo();
    const CanvasPath area = devicePath(state().transform, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
    cairo_save(cr);
    cairo_identity_matrix(cr);
    applyClips(cr);
    cairo_new_path(cr);
    area.appendTo(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Context2D::fillRect(double x, double y, double w, double h) {
    if (!std::isfinite(x + y + w + h) || w == 0 || h == 0) return;
    fillPath(devicePath(state().transform, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}),
             CAIRO_FILL_RULE_WINDING);
}

void Context2D::strokeRect(double x, double y, double w, double h) {
    if (!std::isfinite(x + y + w + h)) return;
    strokePath(devicePath(state().transform, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}));
}

}  // namespace webview
