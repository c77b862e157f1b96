#pragma once
// A canvas bitmap as PNG bytes, written for speed: a battery icon is encoded on
// every redraw. Decoding gives exactly what decoding cairo's own PNG gives.

#include <cairo.h>

#include <string>

namespace graphics {

// `surface` is ARGB32; "" when it cannot be encoded.
std::string writePNG(cairo_surface_t* surface);

}  // namespace graphics
