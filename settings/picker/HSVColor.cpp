#include "settings/picker/HSVColor.h"

#include <algorithm>
#include <cmath>

void HSVColorFromUIColor(const uikit::UIColor& color, HSVComponents* hsv) {
    double h, s, v;
    if (!hsv || !uikit::getHue(color, &h, &s, &v, nullptr)) return;
    *hsv = {h, s, v};
}

uikit::UIColor colorFromHSV(double h, double s, double v) {
    auto unit = [](double x) { return std::isfinite(x) ? std::clamp(x, 0.0, 1.0) : 0.0; };
    return uikit::colorWithHue(unit(h), unit(s), unit(v), 1);
}
