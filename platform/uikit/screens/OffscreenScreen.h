#pragma once
// A screen without a display: draws its window to an image at any scale and
// turns synthetic touches, drags, keys and text into events for the window's
// sendEvent, the path real input takes.

#include <map>
#include <string>

#include "platform/uikit/views/UIWindow.h"

namespace uikit {

class OffscreenScreen {
public:
    explicit OffscreenScreen(UIWindowPtr window);

    const UIWindowPtr& window() const { return window_; }

    // Lays out what is marked and draws the window on a transparent image
    // (scale 0: the main screen's).
    UIImagePtr render(double scale = 0) const;
    // Draws into an existing context whose user space is the window's points.
    void renderInto(cairo_t* cr) const;
    bool writePNG(const std::string& path, double scale = 0) const;

    // Input in window points; `finger` tells simultaneous touches apart.
    void touchDown(CGPoint point, int finger = 0);
    void touchMove(CGPoint point, int finger = 0);
    void touchUp(CGPoint point, int finger = 0);
    void touchCancel(int finger = 0);
    void tap(CGPoint point);
    // Down at `from`, `steps` moves to `to` spread over `seconds` of the UI clock, up at `to`.
    void drag(CGPoint from, CGPoint to, int steps = 10, double seconds = 0.2);
    void typeText(const std::string& text);
    void pressKey(UIKey key, unsigned modifiers = UIKeyModifierNone);
    // A mouse-wheel step over `point`.
    void scrollWheel(CGPoint point, CGPoint delta);

    // Runs what the main run loop has queued (the layout pass among it).
    static void runPendingBlocks();

private:
    void send(int finger, UITouchPhase phase, CGPoint point);

    UIWindowPtr window_;
    std::map<int, UITouchPtr> touches_;
};

}  // namespace uikit
