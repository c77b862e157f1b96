#pragma once
// A desktop window showing a UIWindow. Cairo draws straight into the SDL
// window's surface (no renderer, so no GL stack is loaded). The mouse is a
// finger, the wheel scrolls, typed text goes to the first responder; Escape
// cancels the alert on top or goes back a page, Ctrl+R turns the phone and
// Ctrl+V types the clipboard's text. While the window is open the UI clock
// follows real time and the desktop clipboard backs UIPasteboard.
//
// Input and drawing go through an OffscreenScreen, the very path tests and
// scripts take; this class only adds the desktop around it.

#include <memory>
#include <string>

#include "platform/uikit/screens/OffscreenScreen.h"

struct SDL_Window;
union SDL_Event;

namespace uikit {

class SDLScreen {
public:
    // Opens a window of the UIWindow's size at `scale` pixels per point, made
    // smaller when the display is; nullptr with the reason in `error`.
    static std::unique_ptr<SDLScreen> open(UIWindowPtr window, const std::string& title, double scale,
                                           std::string& error);
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

private:
    SDLScreen(UIWindowPtr window, SDL_Window* sdlWindow);
    void handle(const SDL_Event& event);
    void handleKey(const SDL_Event& event);
    CGPoint windowPointFromSDL(double x, double y) const;
    bool animating() const;
    void rotate();
    void draw();

    OffscreenScreen screen_;
    SDL_Window* sdlWindow_;
    bool open_ = true;
    bool dirty_ = true;
    bool mouseDown_ = false;
    unsigned long seenDispatches_ = 0;
    long frames_ = 0;
    double lastFrame_ = 0;
};

}  // namespace uikit
