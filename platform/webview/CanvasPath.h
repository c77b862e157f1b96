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
    // Adds `other`'s subpaths, each point mapped through `m`; the current
    // point becomes the last point of `other`.
    void append(const CanvasPath& other, const cairo_matrix_t& m);
    CanvasPath mapped(const cairo_matrix_t& m) const;

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

// Adds to a path what the canvas path methods add, each point mapped through
// `transform` (the context's, or the identity for a Path2D).
class PathBuilder {
public:
    PathBuilder(CanvasPath& path, const cairo_matrix_t& transform) : path_(path), transform_(transform) {}

    void closePath() { path_.closePath(); }
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void quadraticCurveTo(double cx, double cy, double x, double y);
    void bezierCurveTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
    // These throw DOMException for a negative radius.
    void arc(double x, double y, double r, double start, double end, bool anticlockwise);
    void ellipse(double x, double y, double rx, double ry, double rotation, double start, double end,
                 bool anticlockwise);
    void arcTo(double x1, double y1, double x2, double y2, double r);
    void rect(double x, double y, double w, double h);
    void roundRect(double x, double y, double w, double h, std::vector<double> radii);

private:
    Point toDevice(double x, double y) const;
    void addArc(Point center, double rx, double ry, double rotation, double start, double end, bool anticlockwise);

    CanvasPath& path_;
    cairo_matrix_t transform_;
};

}  // namespace webview
