#pragma once
// A desktop window showing a UIWindow. Cairo draws straight into the SDL
// window's surface (no renderer, so no GL stack is loaded). The mouse is a
// finger, the wheel scrolls, typed and input-method text goes to the first
// responder, and keys do what KeyCommands says (Ctrl+R turns the window,
// Ctrl+Q or Ctrl+W closes it). The pages' screen in points is the window's
// size over the scale, so resizing lays them out again; the title follows the
// page shown. While the window is open the UI clock follows real time and the
// desktop clipboard backs UIPasteboard.
//
// Input and drawing go through an OffscreenScreen, the very path tests and
// scripts take; this class only adds the desktop around it.

#include <memory>
#include <string>

#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/screens/WindowFit.h"

struct SDL_Window;
union SDL_Event;

namespace uikit {

class SDLScreen {
public:
    // Opens a window of the UIWindow's size at `scale` pixels per point (0:
    // the desktop's), fitted with its frame into the display's usable area;
    // `title` stands while the page shown has none. nullptr with the reason in `error`.
    static std::unique_ptr<SDLScreen> open(UIWindowPtr window, const std::string& title, double scale,
                                           std::string& error);
    // The window manager's icon for the window: premultiplied ARGB32 rows, `width` × `height`.
    void setIcon(const unsigned char* pixels, int width, int height, int stride);
    ~SDLScreen();
    SDLScreen(const SDLScreen&) = delete;
    SDLScreen& operator=(const SDLScreen&) = delete;

    // Turns until the window is closed.
    void run();
    // Waits up to `waitMilliseconds` for input, handles what came, runs the main
    // run loop's due work and draws a frame when something changed. False once
    // the window was closed.
    bool turn(int waitMilliseconds = 8);

    // Where a point of the UIWindow is in the SDL window, as mouse events carry it.
    CGPoint sdlPointFromWindowPoint(CGPoint point) const;
    unsigned sdlWindowID() const;
    long framesDrawn() const { return frames_; }
    double scale() const { return scale_; }

private:
    SDLScreen(UIWindowPtr window, SDL_Window* sdlWindow, const std::string& title, double scale);
    // Once mapped, the window manager's frame is known: the window is fitted again with it.
    void fitToScreen();
    // The pages' screen becomes the window's size in points.
    void followWindowSize();
    // The smallest pages for a window of that shape.
    void setSmallestSize(bool landscape);
    void updateTitle();
    // An input method's candidates show by the caret of the field being edited.
    void placeInputMethod();
    // False while the window manager has not reported its frame.
    bool frameExtents(FrameExtents& frame) const;
    PixelRect usableArea() const;
    void handle(const SDL_Event& event);
    void handleKey(const SDL_Event& event);
    CGPoint windowPointFromSDL(double x, double y) const;
    bool animating() const;
    void rotate();
    void draw();

    OffscreenScreen screen_;
    SDL_Window* sdlWindow_;
    std::string fallbackTitle_, shownTitle_;
    double scale_ = 1;
    FrameExtents frame_ = kAssumedFrame;
    bool open_ = true;
    bool dirty_ = true;
    bool mouseDown_ = false;
    bool spaceIsNoText_ = false;
    PixelRect inputMethodAt_{};
    unsigned long seenDispatches_ = 0;
    UIUserInterfaceStyle drawnStyle_ = UIUserInterfaceStyle::Light;
    long frames_ = 0;
    double lastFrame_ = 0;
};

}  // namespace uikit
