#include "platform/uikit/screens/WindowFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace uikit {
namespace {

CGSize roomIn(PixelRect usable, FrameExtents frame) {
    return {std::max(1.0, double(usable.width - frame.left - frame.right)),
            std::max(1.0, double(usable.height - frame.top - frame.bottom))};
}

}  // namespace

WindowFit fitWindow(CGSize points, double scale, PixelRect usable, FrameExtents frame) {
    const CGSize room = roomIn(usable, frame);
    if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
    if (!(points.width > 0) || !(points.height > 0)) points = kSmallestWindowPoints;
    // The smallest pages in whichever orientation the window has.
    const bool landscape = points.width > points.height;
    const CGSize smallest = landscape ? CGSizeMake(kSmallestWindowPoints.height, kSmallestWindowPoints.width)
                                      : kSmallestWindowPoints;
    WindowFit fit;
    fit.scale = std::max(0.5, std::min({scale, room.width / smallest.width, room.height / smallest.height}));
    const double wanted = std::min({1.0, room.width / (points.width * fit.scale), room.height / (points.height * fit.scale)});
    fit.width = std::max(1, int(std::floor(std::min(room.width, points.width * fit.scale * wanted))));
    fit.height = std::max(1, int(std::floor(std::min(room.height, points.height * fit.scale * wanted))));
    fit.x = usable.x + frame.left + int(room.width - fit.width) / 2;
    fit.y = usable.y + frame.top + int(room.height - fit.height) / 2;
    return fit;
}

CGSize smallestWindowSize(double scale, PixelRect usable, FrameExtents frame, bool landscape) {
    const CGSize room = roomIn(usable, frame);
    const CGSize smallest = landscape ? CGSizeMake(kSmallestWindowPoints.height, kSmallestWindowPoints.width)
                                      : kSmallestWindowPoints;
    return {std::min(room.width, std::ceil(smallest.width * scale)),
            std::min(room.height, std::ceil(smallest.height * scale))};
}

CGSize turnedWindowSize(CGSize inside, PixelRect usable, FrameExtents frame) {
    const CGSize room = roomIn(usable, frame);
    return {std::min(room.width, inside.height), std::min(room.height, inside.width)};
}

double desktopScale(const char* gdkScale, double dotsPerInch) {
    double scale = 0;
    if (gdkScale && *gdkScale) scale = std::strtod(gdkScale, nullptr);
    if (!(scale >= 1) && dotsPerInch > 0 && std::isfinite(dotsPerInch)) scale = dotsPerInch / 96;
    if (!(scale >= 1) || !std::isfinite(scale)) return 1;
    return std::min(4.0, std::round(scale * 4) / 4);
}

}  // namespace uikit
