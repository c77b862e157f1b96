#pragma once
// PNG in and out of cairo image surfaces, in memory.

#include <cairo.h>

#include <string>

namespace graphics {

// Written for speed (libdeflate, level 1): decodes to exactly the surface's pixels.
std::string encodePNG(cairo_surface_t* surface);
// Larger images are never decoded: no canvas can have drawn them, and one
// small file could otherwise ask for gigabytes.
constexpr unsigned kMaxDecodedSide = 4096;
constexpr unsigned long kMaxDecodedArea = 16UL * 1024 * 1024;

// A new surface (ARGB32, or RGB24 for an opaque PNG), or nullptr for bytes that
// are no PNG or one larger than the limits above.
cairo_surface_t* decodePNG(const std::string& bytes);
// The same pixels as ARGB32 (what drawing code expects); takes ownership.
cairo_surface_t* asARGB32(cairo_surface_t* surface);

}  // namespace graphics
