#pragma once
// A <canvas>: its size, its bitmap and its 2D context.

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>

namespace webview {

class Context2D;

class CanvasElement {
public:
    // A browser refuses to allocate bitmaps beyond these, and so do we.
    static constexpr int kMaxSide = 4096;
    static constexpr long kMaxArea = 16L * 1024 * 1024;

    CanvasElement();
    ~CanvasElement();
    CanvasElement(const CanvasElement&) = delete;
    CanvasElement& operator=(const CanvasElement&) = delete;

    unsigned width() const { return width_; }
    unsigned height() const { return height_; }
    // Setting either clears the bitmap and resets the context's state, even to the same value.
    void setWidth(unsigned w);
    void setHeight(unsigned h);

    // nullptr when the canvas has no pixels (zero size, or larger than a browser
    // allocates). Allocated on first use, as a browser does: a theme that sizes
    // its canvas before drawing never pays for the default 300 × 150.
    cairo_surface_t* surface() const;
    // Told the size of each bitmap allocated, so a garbage collector can weigh it.
    void setAllocationObserver(std::function<void(size_t bytes)> observer) { observer_ = std::move(observer); }
    // Created on first use; the same one each time.
    Context2D& context2d();
    bool hasContext() const { return context_ != nullptr; }

    // "data:image/png;base64,..." ("data:," without pixels); JPEG for "image/jpeg" is not offered and gives PNG.
    std::string toDataURL(const std::string& type = "image/png") const;
    std::string pngBytes() const;

private:
    void reallocate();

    unsigned width_ = 300, height_ = 150;
    mutable cairo_surface_t* surface_ = nullptr;
    std::function<void(size_t)> observer_;
    std::unique_ptr<Context2D> context_;
};

}  // namespace webview
