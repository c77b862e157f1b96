#include "platform/uikit/drawing/UIColor.h"

#include <algorithm>
#include <cmath>

namespace uikit {
namespace {

double clamp01(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0; }

}  // namespace

UIColor colorWithWhite(double white, double alpha) { return UIColor::grey(clamp01(white), clamp01(alpha)); }
UIColor colorWithRed(double r, double g, double b, double a) {
    return UIColor::rgb(clamp01(r), clamp01(g), clamp01(b), clamp01(a));
}

UIColor colorWithHue(double hue, double saturation, double brightness, double alpha) {
    double h = std::isfinite(hue) ? hue - std::floor(hue) : 0;
    const double s = clamp01(saturation), v = clamp01(brightness);
    h *= 6;
    const int sector = int(h) % 6;
    const double f = h - std::floor(h);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sector) {
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        case 5: r = v, g = p, b = q; break;
        default: break;
    }
    return UIColor::rgb(r, g, b, clamp01(alpha));
}

UIColor colorWithAlphaComponent(const UIColor& color, double alpha) { return color.withAlpha(clamp01(alpha)); }

bool getHue(const UIColor& c, double* hue, double* saturation, double* brightness, double* alpha) {
    const double r = c.red(), g = c.green(), b = c.blue();
    if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b) || !std::isfinite(c.alpha())) return false;
    const double max = std::max({r, g, b}), min = std::min({r, g, b}), delta = max - min;
    double h = 0;
    if (delta > 0) {
        if (max == r) h = (g - b) / delta;
        else if (max == g) h = 2 + (b - r) / delta;
        else h = 4 + (r - g) / delta;
        h /= 6;
        if (h < 0) h += 1;
    }
    if (hue) *hue = h;
    if (saturation) *saturation = max > 0 ? delta / max : 0;
    if (brightness) *brightness = max;
    if (alpha) *alpha = c.alpha();
    return true;
}

bool getWhite(const UIColor& c, double* white, double* alpha) {
    if (!std::isfinite(c.greyLevel()) || !std::isfinite(c.alpha())) return false;
    if (white) *white = c.greyLevel();
    if (alpha) *alpha = c.alpha();
    return true;
}

bool isSimilarToColor(const UIColor& a, const UIColor& b, double percentage) {
    return std::fabs(a.red() - b.red()) <= percentage && std::fabs(a.green() - b.green()) <= percentage &&
           std::fabs(a.blue() - b.blue()) <= percentage && std::fabs(a.alpha() - b.alpha()) <= percentage;
}

// Channels go to 8 bits as the platform rounds them (grey 0.95 is 242, not cairo's 243).
void setSourceColor(cairo_t* cr, const UIColor& c) {
    auto q = [](double v) { return std::round(clamp01(v) * 255) / 255; };
    cairo_set_source_rgba(cr, q(c.red()), q(c.green()), q(c.blue()), q(c.alpha()));
}

}  // namespace uikit
