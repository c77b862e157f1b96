#pragma once
// UIColor on the platform color value: named colors, white and HSB forms, and
// the comparisons pages use.

#include <cairo.h>

#include "platform/graphics/Color.h"

namespace uikit {

using UIColor = graphics::Color;

namespace colors {
inline constexpr UIColor clearColor = UIColor::grey(0, 0);
inline constexpr UIColor blackColor = UIColor::grey(0);
inline constexpr UIColor whiteColor = UIColor::grey(1);
inline constexpr UIColor darkGrayColor = UIColor::grey(1 / 3.0);
inline constexpr UIColor lightGrayColor = UIColor::grey(2 / 3.0);
inline constexpr UIColor grayColor = UIColor::grey(0.5);
inline constexpr UIColor redColor = UIColor::rgb(1, 0, 0);
inline constexpr UIColor greenColor = UIColor::rgb(0, 1, 0);
inline constexpr UIColor blueColor = UIColor::rgb(0, 0, 1);
// The tint of a window that sets none.
inline constexpr UIColor systemBlueColor = UIColor::rgb(0, 0.478431, 1);
// The on-tint of a switch that sets none.
inline constexpr UIColor systemGreenColor = UIColor::rgb(0.298039, 0.85098, 0.392157);
}  // namespace colors

UIColor colorWithWhite(double white, double alpha);
UIColor colorWithRed(double red, double green, double blue, double alpha);
// Hue, saturation, brightness 0..1 (hue wraps).
UIColor colorWithHue(double hue, double saturation, double brightness, double alpha);
UIColor colorWithAlphaComponent(const UIColor& color, double alpha);

// False, leaving the outputs untouched, when a channel is not a finite number.
bool getHue(const UIColor& color, double* hue, double* saturation, double* brightness, double* alpha);
bool getWhite(const UIColor& color, double* white, double* alpha);

// Every RGBA channel within `percentage` (0..1) of the other's.
bool isSimilarToColor(const UIColor& color, const UIColor& other, double percentage);

void setSourceColor(cairo_t* cr, const UIColor& color);

}  // namespace uikit
