#pragma once
// The platform image: pixels with alpha, a size in points and a scale (pixels per point).

#include <cairo.h>

#include <memory>
#include <string>

namespace graphics {

class UIImage {
public:
    // Template images are drawn as a mask in the tint color of their view.
    enum class RenderingMode { Automatic, AlwaysOriginal, AlwaysTemplate };

    // Takes ownership of an ARGB32 image surface.
    UIImage(cairo_surface_t* surface, double scale);
    ~UIImage();
    UIImage(const UIImage&) = delete;
    UIImage& operator=(const UIImage&) = delete;

    // Encoded PNG data at a scale; nullptr when the data is not an image we read.
    static std::shared_ptr<UIImage> imageWithData(const std::string& data, double scale);

    double scale() const { return scale_; }
    int pixelWidth() const { return cairo_image_surface_get_width(surface_); }
    int pixelHeight() const { return cairo_image_surface_get_height(surface_); }
    double width() const { return pixelWidth() / scale_; }    // points
    double height() const { return pixelHeight() / scale_; }  // points
    cairo_surface_t* surface() const { return surface_; }

    RenderingMode renderingMode() const { return renderingMode_; }
    // The same pixels (shared, not copied) in another rendering mode.
    std::shared_ptr<UIImage> imageWithRenderingMode(RenderingMode mode) const;

    std::string pngData() const;
    bool writePNG(const std::string& path) const;  // atomically

private:
    cairo_surface_t* surface_;
    double scale_;
    RenderingMode renderingMode_ = RenderingMode::Automatic;
};

using Image = std::shared_ptr<UIImage>;

// The main screen's scale: 2 unless a tool set another.
double mainScreenScale();
void setMainScreenScale(double scale);

// A transparent bitmap of a size in points at a scale, to draw into with cairo
// in pixel units; image() hands the result over.
class BitmapContext {
public:
    BitmapContext(double widthPoints, double heightPoints, double scale);
    ~BitmapContext();
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    cairo_t* cairo() const { return cr_; }
    int pixelWidth() const;
    int pixelHeight() const;
    Image image();

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    double scale_;
};

}  // namespace graphics
