#include "tests/webview/CanvasTestSupport.h"

#include "platform/foundation/Base64.h"
#include "platform/graphics/PNG.h"

std::array<int, 4> Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
    const unsigned char* p = &rgba[(size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

int Pixels::countOpaque(int threshold) const {
    int n = 0;
    for (size_t i = 3; i < rgba.size(); i += 4) n += rgba[i] >= threshold;
    return n;
}

Pixels pixelsFromDataURL(const std::string& url) {
    Pixels out;
    const auto marker = url.find("base64,");
    if (marker == std::string::npos) return out;
    auto bytes = foundation::base64DecodeStrict(std::string_view(url).substr(marker + 7));
    if (!bytes) return out;
    cairo_surface_t* surface = graphics::asARGB32(graphics::decodePNG(*bytes));
    if (!surface) return out;
    out.width = cairo_image_surface_get_width(surface);
    out.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    out.rgba.resize(size_t(out.width) * out.height * 4);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
            const unsigned a = pixel >> 24;
            unsigned char* o = &out.rgba[(size_t(y) * out.width + x) * 4];
            auto un = [a](unsigned c) { return a ? static_cast<unsigned char>((c * 255 + a / 2) / a) : 0; };
            o[0] = un((pixel >> 16) & 0xFF), o[1] = un((pixel >> 8) & 0xFF), o[2] = un(pixel & 0xFF), o[3] = a;
        }
    cairo_surface_destroy(surface);
    return out;
}

Pixels draw(webview::UIWebView& page, int width, int height, const std::string& body) {
    page.loadHTMLString("");
    const std::string script = "(function(){var c=document.createElement('canvas');c.width=" + std::to_string(width) +
                               ";c.height=" + std::to_string(height) + ";var x=c.getContext('2d');\n" + body +
                               "\n;return c.toDataURL();})()";
    return pixelsFromDataURL(page.stringByEvaluatingJavaScriptFromString(script));
}

webview::UIWebView& sharedPage() {
    static webview::UIWebView page;
    return page;
}

std::string evaluate(const std::string& script) {
    sharedPage().loadHTMLString("");
    return sharedPage().stringByEvaluatingJavaScriptFromString(script);
}
