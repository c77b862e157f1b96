#include "platform/webview/CanvasPath.h"

#include <algorithm>
#include <cmath>

namespace webview {

CanvasPath::CanvasPath(const cairo_path_t* path) {
    for (int i = 0; path && i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t* d = &path->data[i];
        switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO: moveTo({d[1].point.x, d[1].point.y}); break;
        case CAIRO_PATH_LINE_TO: lineTo({d[1].point.x, d[1].point.y}); break;
        case CAIRO_PATH_CURVE_TO:
            curveTo({d[1].point.x, d[1].point.y}, {d[2].point.x, d[2].point.y}, {d[3].point.x, d[3].point.y});
            break;
        case CAIRO_PATH_CLOSE_PATH: closePath(); break;
        }
    }
}

void CanvasPath::moveTo(Point p) {
    // Consecutive moves collapse into the last one.
    if (!segments_.empty() && segments_.back().op == Op::Move) segments_.back().p[0] = p;
    else segments_.push_back({Op::Move, {p}});
    current_ = subpathStart_ = p;
}

void CanvasPath::lineTo(Point p) {
    if (!current_) return moveTo(p);
    segments_.push_back({Op::Line, {p}});
    current_ = p;
}

void CanvasPath::curveTo(Point c1, Point c2, Point p) {
    if (!current_) moveTo(c1);
    segments_.push_back({Op::Curve, {c1, c2, p}});
    current_ = p;
}

void CanvasPath::closePath() {
    if (!current_ || segments_.empty()) return;
    segments_.push_back({Op::Close, {}});
    // The next subpath starts where this one did.
    segments_.push_back({Op::Move, {subpathStart_}});
    current_ = subpathStart_;
}

void CanvasPath::clear() {
    segments_.clear();
    current_.reset();
}

void CanvasPath::append(const CanvasPath& other, const cairo_matrix_t& m) {
    if (other.empty()) return;
    auto map = [&m](Point p) {
        cairo_matrix_transform_point(&m, &p.x, &p.y);
        return p;
    };
    for (const auto& s : other.segments_) {
        switch (s.op) {
        case Op::Move: moveTo(map(s.p[0])); break;
        case Op::Line: lineTo(map(s.p[0])); break;
        case Op::Curve: curveTo(map(s.p[0]), map(s.p[1]), map(s.p[2])); break;
        case Op::Close: closePath(); break;
        }
    }
}

CanvasPath CanvasPath::mapped(const cairo_matrix_t& m) const {
    CanvasPath copy;
    copy.append(*this, m);
    return copy;
}

void CanvasPath::appendTo(cairo_t* cr, const cairo_matrix_t* m, double limit) const {
    auto clamp = [limit](double v) { return std::isnan(v) ? 0 : std::clamp(v, -limit, limit); };
    auto map = [m, clamp](Point p) {
        if (m) cairo_matrix_transform_point(m, &p.x, &p.y);
        return Point{clamp(p.x), clamp(p.y)};
    };
    for (const auto& s : segments_) {
        switch (s.op) {
        case Op::Move: {
            Point p = map(s.p[0]);
            cairo_move_to(cr, p.x, p.y);
            break;
        }
        case Op::Line: {
            Point p = map(s.p[0]);
            cairo_line_to(cr, p.x, p.y);
            break;
        }
        case Op::Curve: {
            Point a = map(s.p[0]), b = map(s.p[1]), c = map(s.p[2]);
            cairo_curve_to(cr, a.x, a.y, b.x, b.y, c.x, c.y);
            break;
        }
        case Op::Close: cairo_close_path(cr); break;
        }
    }
}

}  // namespace webview
