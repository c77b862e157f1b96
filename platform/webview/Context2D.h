#pragma once
// CanvasRenderingContext2D over cairo, with a browser's semantics. Plain C++:
// the JavaScript binding converts arguments and calls these.

#include <cairo.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/webview/CanvasPath.h"
#include "platform/webview/DrawingState.h"
#include "platform/webview/Fonts.h"

namespace webview {

class CanvasElement;

struct TextMetrics {
    double width = 0;
    double actualBoundingBoxLeft = 0, actualBoundingBoxRight = 0;
    double actualBoundingBoxAscent = 0, actualBoundingBoxDescent = 0;
    double fontBoundingBoxAscent = 0, fontBoundingBoxDescent = 0;
    double emHeightAscent = 0, emHeightDescent = 0;
    double alphabeticBaseline = 0, hangingBaseline = 0, ideographicBaseline = 0;
};

// Non-premultiplied RGBA, row by row.
struct ImageDataBytes {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

class Context2D {
public:
    explicit Context2D(CanvasElement& canvas);
    ~Context2D();
    Context2D(const Context2D&) = delete;
    Context2D& operator=(const Context2D&) = delete;

    CanvasElement& canvas() { return canvas_; }
    // The canvas resized: forget the bitmap's cairo context and return to the initial state.
    void detachSurface();
    void reset();

    // State and transform.
    void save();
    void restore();
    DrawingState& state() { return states_.back(); }
    const DrawingState& state() const { return states_.back(); }
    void translate(double x, double y);
    void rotate(double angle);
    void scale(double x, double y);
    void transform(double a, double b, double c, double d, double e, double f);
    void setTransform(double a, double b, double c, double d, double e, double f);
    void resetTransform();

    // Styles. Setters ignore what a browser ignores.
    void setLineWidth(double v);
    void setMiterLimit(double v);
    void setLineCap(const std::string& v);
    void setLineJoin(const std::string& v);
    std::string lineCap() const;
    std::string lineJoin() const;
    void setLineDash(std::vector<double> dash);
    std::vector<double> lineDash() const { return state().lineDash; }
    void setGlobalAlpha(double v);
    void setGlobalCompositeOperation(const std::string& v);
    bool setFont(const std::string& v);
    void setTextAlign(const std::string& v);
    void setTextBaseline(const std::string& v);
    void setDirection(const std::string& v);
    // CSS lengths ("2px", "0.1em"); anything else leaves the value alone.
    void setLetterSpacing(const std::string& v);
    void setWordSpacing(const std::string& v);
    // A CSS filter list; anything else leaves the filter alone.
    void setFilter(const std::string& v);
    std::string filter() const;
    // false when the string is not a color (the style is kept).
    bool setFillColor(const std::string& css);
    bool setStrokeColor(const std::string& css);
    bool setShadowColor(const std::string& css);

    // Paths.
    void beginPath() { path_.clear(); }
    PathBuilder path() { return PathBuilder(path_, state().transform); }
    void closePath() { path_.closePath(); }
    void moveTo(double x, double y) { path().moveTo(x, y); }
    void lineTo(double x, double y) { path().lineTo(x, y); }
    void quadraticCurveTo(double cx, double cy, double x, double y) { path().quadraticCurveTo(cx, cy, x, y); }
    void bezierCurveTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
        path().bezierCurveTo(c1x, c1y, c2x, c2y, x, y);
    }
    void arc(double x, double y, double r, double start, double end, bool anticlockwise) {
        path().arc(x, y, r, start, end, anticlockwise);
    }
    void ellipse(double x, double y, double rx, double ry, double rotation, double start, double end,
                 bool anticlockwise) {
        path().ellipse(x, y, rx, ry, rotation, start, end, anticlockwise);
    }
    void arcTo(double x1, double y1, double x2, double y2, double r) { path().arcTo(x1, y1, x2, y2, r); }
    void rect(double x, double y, double w, double h) { path().rect(x, y, w, h); }
    void roundRect(double x, double y, double w, double h, std::vector<double> radii) {
        path().roundRect(x, y, w, h, std::move(radii));
    }
    const CanvasPath& currentPath() const { return path_; }

    // Drawing.
    void fill(cairo_fill_rule_t rule = CAIRO_FILL_RULE_WINDING);
    void stroke();
    void clip(cairo_fill_rule_t rule = CAIRO_FILL_RULE_WINDING);
    void fillPath(const CanvasPath& path, cairo_fill_rule_t rule);
    void strokePath(const CanvasPath& path);
    bool isPointInPath(double x, double y, cairo_fill_rule_t rule) const;
    bool isPointInStroke(double x, double y) const;
    // The same with a Path2D's path, in user space: the current transform maps it.
    void fill(const CanvasPath& path, cairo_fill_rule_t rule);
    void stroke(const CanvasPath& path);
    void clip(const CanvasPath& path, cairo_fill_rule_t rule);
    bool isPointInPath(const CanvasPath& path, double x, double y, cairo_fill_rule_t rule) const;
    bool isPointInStroke(const CanvasPath& path, double x, double y) const;
    void clearRect(double x, double y, double w, double h);
    void fillRect(double x, double y, double w, double h);
    void strokeRect(double x, double y, double w, double h);

    // Text.
    void fillText(const std::string& text, double x, double y, std::optional<double> maxWidth = std::nullopt);
    void strokeText(const std::string& text, double x, double y, std::optional<double> maxWidth = std::nullopt);
    TextMetrics measureText(const std::string& text);

    // Images and pixels.
    void drawImage(cairo_surface_t* image, double sx, double sy, double sw, double sh, double dx, double dy,
                   double dw, double dh);
    ImageDataBytes getImageData(double sx, double sy, double sw, double sh);
    void putImageData(const ImageDataBytes& data, double dx, double dy, double dirtyX, double dirtyY,
                      double dirtyW, double dirtyH);
    cairo_surface_t* snapshot() const;  // a copy of the bitmap for patterns; caller owns

private:
    cairo_t* cairo();
    bool canDraw() const;
    void applyClips(cairo_t* cr) const;  // with an identity matrix
    bool hasVisibleShadow() const;
    bool hasFilter() const { return state().filter && !state().filter->ops.empty(); }
    // How far past each edge of the canvas a drawing can still reach into it.
    struct Reach {
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    void addShadowReach(Reach& reach) const;
    void addFilterReach(Reach& reach) const;
    // A drawing alone on a transparent bitmap: canvas pixel (0, 0) is its (left, top).
    struct Layer {
        cairo_surface_t* surface = nullptr;
        int left = 0, top = 0;
    };
    Layer drawLayer(const std::function<void(cairo_t*)>& draw, const Reach& reach);
    // A transparent bitmap for a layer, and its return once drawn.
    cairo_surface_t* blankLayer(int width, int height);
    void recycleLayer(cairo_surface_t* surface);
    void applyFilter(const Layer& layer) const;
    void paintShadow(cairo_t* cr, const Layer& layer, cairo_operator_t op);
    // Runs `draw` with filter, shadow, global alpha, composite operation and clip applied.
    void composite(const std::function<void(cairo_t*)>& draw);
    void setSource(cairo_t* cr, const CanvasStyle& style);
    // `scale`: of the transform; `pathLength`: in device pixels.
    void applyStrokeStyle(cairo_t* cr, double scale, double pathLength) const;
    bool isPointInStroke(const CanvasPath& path, double x, double y, bool inDeviceSpace) const;
    CanvasPath textPath(const std::string& text, double x, double y, std::optional<double> maxWidth);
    PangoLayout* layoutFor(const std::string& text);
    // What letter and word spacing add to the layout's width.
    double spacingWidth(const std::string& text) const;

    CanvasElement& canvas_;
    cairo_t* cr_ = nullptr;
    std::vector<DrawingState> states_;
    // The last layer's bitmap: making a new one for every drawing costs more than the drawing.
    cairo_surface_t* spareLayer_ = nullptr;
    CanvasPath path_;
};

}  // namespace webview
