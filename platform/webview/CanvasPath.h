#pragma once
// The current path of a canvas, kept in device space: each point is transformed
// when it is added, so later transforms do not move it.

#include <cairo.h>

#include <optional>
#include <vector>

namespace webview {

struct Point {
    double x = 0, y = 0;
};

class CanvasPath {
public:
    enum class Op { Move, Line, Curve, Close };
    struct Segment {
        Op op;
        Point p[3];
    };

    CanvasPath() = default;
    // Copies a path cairo produced (text outlines), in the same space.
    explicit CanvasPath(const cairo_path_t* path);

    void moveTo(Point p);
    void lineTo(Point p);  // starts a subpath at p when there is none
    void curveTo(Point c1, Point c2, Point p);
    void closePath();
    void clear();

    bool empty() const { return segments_.empty(); }
    std::optional<Point> currentPoint() const { return current_; }
    const std::vector<Segment>& segments() const { return segments_; }

    // Coordinates past this reach no pixel of any canvas, and past about twice
    // this cairo's fixed-point numbers overflow.
    static constexpr double kMaxCoordinate = 4194304;

    // Adds the path to cairo's, mapping every point through `m` when given;
    // coordinates are held within ±`limit`.
    void appendTo(cairo_t* cr, const cairo_matrix_t* m = nullptr, double limit = kMaxCoordinate) const;

private:
    std::vector<Segment> segments_;
    std::optional<Point> current_;
    Point subpathStart_;
};

}  // namespace webview
