#pragma once
// How big a desktop window showing the pages may be: the sums behind its first
// size, its smallest size and a turn, kept apart from SDL so they can be checked
// without a display. All sizes are in pixels unless they say points.

#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// What the window manager adds around the window: title bar and borders.
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

struct WindowFit {
    int width = 0, height = 0;  // the window's inside
    int x = 0, y = 0;           // its inside's top left, so that the frame is centred in the area
    double scale = 1;           // pixels per point, lowered only when the smallest pages would not fit
};

// Every page still works at this many points.
inline constexpr CGSize kSmallestWindowPoints{320, 480};
// Assumed while the window manager has not said how big its frame is.
inline constexpr FrameExtents kAssumedFrame{4, 4, 32, 4};

// `points` at `scale`, inside the usable area less the frame. When that is too
// big the window shrinks keeping its proportions; the scale drops only so far
// that kSmallestWindowPoints still fits.
WindowFit fitWindow(CGSize points, double scale, PixelRect usable, FrameExtents frame);

// The smallest inside the window may be resized to: kSmallestWindowPoints at
// `scale`, turned for a landscape window, but never more than the area less the frame.
CGSize smallestWindowSize(double scale, PixelRect usable, FrameExtents frame, bool landscape = false);

// The window's inside turned a quarter, no larger than the area less the frame.
CGSize turnedWindowSize(CGSize inside, PixelRect usable, FrameExtents frame);

// The desktop's pixels per point: GDK_SCALE when set (`gdkScale`, may be null),
// else the display's dots per inch over 96 (0 when unknown), in quarter steps from 1 to 4.
double desktopScale(const char* gdkScale, double dotsPerInch);

}  // namespace uikit
