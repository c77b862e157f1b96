#pragma once
// Images as a tray wants them: ARGB32 with straight alpha, each pixel four
// bytes A, R, G, B (network byte order), rows top to bottom.

#include <cstdint>
#include <vector>

#include "platform/graphics/Image.h"

namespace statusbar {

struct TrayPixmap {
    int width = 0, height = 0;
    std::vector<uint8_t> argb;
};

TrayPixmap trayPixmap(cairo_surface_t* surface);
// The strip at its pixel size and, when a half-size copy is still at least
// 16 pixels high, that copy too for trays that draw small icons.
std::vector<TrayPixmap> trayPixmaps(const graphics::Image& strip);

}  // namespace statusbar
