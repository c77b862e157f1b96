#pragma once
// The last few PNGs this process encoded from a bitmap. A theme's canvas is
// encoded to a data URL only for the engine to decode it again at once; when
// the bytes are ones we just wrote, the pixels the decoder would give are
// already known and the decoder need not run.

#include <cairo.h>

#include <string>

namespace graphics {

// Remembers `png` as the encoding of `source` (ARGB32).
void rememberEncodedPNG(const std::string& png, cairo_surface_t* source);
// Remembers `decoded` (ARGB32, not drawn into afterwards) as what decoding `png` gives.
void rememberDecodedPNG(const std::string& png, cairo_surface_t* decoded);
// An ARGB32 surface (a new reference, not to be drawn into) with what decoding
// `png` gives, or nullptr when it is not one of the remembered encodings.
cairo_surface_t* recallDecodedPNG(const std::string& png);

}  // namespace graphics
