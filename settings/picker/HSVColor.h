#pragma once
// Hue, saturation and brightness of the picker's colors.

#include "platform/uikit/drawing/UIColor.h"

struct HSVComponents {
    double h = 0, s = 0, v = 0;
};

// Writes the color's hue, saturation and brightness into `hsv` (alpha dropped);
// leaves it unchanged when the color has no HSB form.
void HSVColorFromUIColor(const uikit::UIColor& color, HSVComponents* hsv);

// The opaque color of h, s and v, each first brought into 0..1 (not-a-number as
// 0), so that a degenerate map or slider never yields a color the hex codec
// cannot write.
uikit::UIColor colorFromHSV(double h, double s, double v);
inline uikit::UIColor colorFromHSV(const HSVComponents& hsv) { return colorFromHSV(hsv.h, hsv.s, hsv.v); }
