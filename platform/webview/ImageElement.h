#pragma once
// An <img> whose source is a data: URL, decoded at once (there is no network).

#include <cairo.h>

#include <string>

namespace webview {

class ImageElement {
public:
    ImageElement() = default;
    ~ImageElement();
    ImageElement(const ImageElement&) = delete;
    ImageElement& operator=(const ImageElement&) = delete;

    const std::string& src() const { return src_; }
    void setSrc(const std::string& src);
    cairo_surface_t* surface() const { return surface_; }  // nullptr until a PNG decoded
    unsigned naturalWidth() const;
    unsigned naturalHeight() const;

private:
    std::string src_;
    cairo_surface_t* surface_ = nullptr;
};

}  // namespace webview
