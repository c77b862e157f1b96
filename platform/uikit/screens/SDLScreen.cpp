#include "platform/uikit/screens/SDLScreen.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/notify/RunLoop.h"
#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/screens/KeyCommands.h"
#include "platform/uikit/screens/WindowActions.h"
#include "platform/uikit/screens/WindowFit.h"
#include "platform/uikit/services/UIPasteboard.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {
namespace {

// Points one wheel notch scrolls.
constexpr double kWheelStep = 40;
constexpr double kFrameSeconds = 1.0 / 60;

class DesktopClipboard : public UIPasteboardBackend {
public:
    std::optional<std::string> string() override {
        if (!SDL_HasClipboardText()) return std::nullopt;
        char* text = SDL_GetClipboardText();
        std::string copy = text ? text : "";
        SDL_free(text);
        return copy;
    }
    void setString(const std::optional<std::string>& text) override { SDL_SetClipboardText(text ? text->c_str() : ""); }
};

bool layerAnimates(const CALayer& layer) {
    if (layer.hasAnimations()) return true;
    return std::any_of(layer.sublayers().begin(), layer.sublayers().end(),
                       [](const CALayerPtr& sublayer) { return layerAnimates(*sublayer); });
}

// How the window's points sit in the surface: uniformly scaled, centred.
struct Placement {
    double scale = 1, x = 0, y = 0;
};

Placement placementIn(int pixelWidth, int pixelHeight, CGSize points) {
    Placement p;
    if (points.width <= 0 || points.height <= 0) return p;
    p.scale = std::min(pixelWidth / points.width, pixelHeight / points.height);
    p.x = std::floor((pixelWidth - points.width * p.scale) / 2);
    p.y = std::floor((pixelHeight - points.height * p.scale) / 2);
    return p;
}

// Cairo's 32-bit layouts are SDL's XRGB8888 and ARGB8888 in native byte order.
std::optional<cairo_format_t> cairoFormatOf(const SDL_Surface& surface) {
    if (surface.pitch % 4 || surface.pitch < cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, surface.w))
        return std::nullopt;
    if (surface.format->format == SDL_PIXELFORMAT_XRGB8888) return CAIRO_FORMAT_RGB24;
    if (surface.format->format == SDL_PIXELFORMAT_ARGB8888) return CAIRO_FORMAT_ARGB32;
    return std::nullopt;
}

PixelRect usableAreaOf(int display) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
        return {0, 0, 1 << 14, 1 << 14};
    return {usable.x, usable.y, usable.w, usable.h};
}

// A display that is named but does not answer is a different fault from none
// at all: the person has to know which name to look at.
std::string unreachableDisplay(const char* wayland, const char* x11) {
    std::vector<std::string> named;
    if (wayland && *wayland) named.push_back(std::string("WAYLAND_DISPLAY=") + wayland);
    if (x11 && *x11) named.push_back(std::string("DISPLAY=") + x11);
    if (named.empty()) return "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)";
    std::string which = named[0];
    if (named.size() > 1) which += " or " + named[1];
    return "no display to open a window on: cannot reach the display at " + which + " (is its server running?)";
}

}  // namespace

std::unique_ptr<SDLScreen> SDLScreen::open(UIWindowPtr window, const std::string& title, double requestedScale,
                                           std::string& error) {
    // The surface stays in memory: no renderer, no GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot open a window: ") + SDL_GetError();
        return nullptr;
    }
    // Without a display SDL falls back to drawing nowhere: a window nobody sees
    // is only right when asked for (tests).
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && !(asked && std::strstr(asked, driver.c_str()))) {
        error = unreachableDisplay(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
        SDL_Quit();
        return nullptr;
    }
    double scale = requestedScale;
    if (!(scale > 0) || !std::isfinite(scale)) {
        float dpi = 0;
        if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0) dpi = 0;
        scale = desktopScale(std::getenv("GDK_SCALE"), dpi);
    }
    const WindowFit fit = fitWindow(window->bounds().size, scale, usableAreaOf(0), kAssumedFrame);
    SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), fit.x, fit.y, fit.width, fit.height,
                                             SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!sdlWindow || !SDL_GetWindowSurface(sdlWindow)) {
        error = std::string("cannot open a window: ") + SDL_GetError();
        if (sdlWindow) SDL_DestroyWindow(sdlWindow);
        SDL_Quit();
        return nullptr;
    }
    auto screen = std::unique_ptr<SDLScreen>(new SDLScreen(std::move(window), sdlWindow, title, fit.scale));
    SDL_ShowWindow(sdlWindow);
    screen->fitToScreen();
    return screen;
}

SDLScreen::SDLScreen(UIWindowPtr window, SDL_Window* sdlWindow, const std::string& title, double scale)
    : screen_(std::move(window)), sdlWindow_(sdlWindow), fallbackTitle_(title), shownTitle_(title), scale_(scale) {
    UIClock::shared().setVirtual(false);
    UIPasteboard::generalPasteboard().setBackend(std::make_shared<DesktopClipboard>());
    SDL_StartTextInput();
    seenDispatches_ = notify::RunLoop::main().dispatchCount();
    followWindowSize();
    updateTitle();
}

SDLScreen::~SDLScreen() {
    UIPasteboard::generalPasteboard().setBackend(nullptr);
    UIClock::shared().setVirtual(true);
    SDL_StopTextInput();
    SDL_DestroyWindow(sdlWindow_);
    SDL_Quit();
}

bool SDLScreen::frameExtents(FrameExtents& frame) const {
    FrameExtents reported;
    if (SDL_GetWindowBordersSize(sdlWindow_, &reported.top, &reported.left, &reported.bottom, &reported.right) != 0)
        return false;
    // Zeros also stand for "not said yet": the assumed frame stays until the manager says more.
    if (reported.top == 0 && reported.left == 0 && reported.bottom == 0 && reported.right == 0) return false;
    frame = reported;
    return true;
}

void SDLScreen::fitToScreen() {
    // The frame's extents arrive with the window manager's first answers to the mapping.
    FrameExtents frame = kAssumedFrame;
    bool reported = false;
    for (int i = 0; i < 50 && !reported; ++i) {
        SDL_PumpEvents();
        reported = frameExtents(frame);
        if (!reported) SDL_Delay(10);
    }
    frame_ = frame;
    const PixelRect usable = usableArea();
    const WindowFit fit = fitWindow(screen_.window()->bounds().size, scale_, usable, frame);
    setSmallestSize(fit.width > fit.height);
    SDL_SetWindowSize(sdlWindow_, fit.width, fit.height);
    SDL_SetWindowPosition(sdlWindow_, fit.x, fit.y);
    followWindowSize();
}

PixelRect SDLScreen::usableArea() const { return usableAreaOf(std::max(0, SDL_GetWindowDisplayIndex(sdlWindow_))); }

void SDLScreen::setSmallestSize(bool landscape) {
    const CGSize smallest = smallestWindowSize(scale_, usableArea(), frame_, landscape);
    SDL_SetWindowMinimumSize(sdlWindow_, int(smallest.width), int(smallest.height));
}

void SDLScreen::followWindowSize() {
    int width = 0, height = 0;
    SDL_GetWindowSizeInPixels(sdlWindow_, &width, &height);
    if (width <= 0 || height <= 0) return;
    const CGSize points{width / scale_, height / scale_};
    if (points == screen_.window()->bounds().size) return;
    resizeWindow(*screen_.window(), points);
    dirty_ = true;
}

void SDLScreen::updateTitle() {
    std::string title = shownPageTitle(*screen_.window());
    if (title.empty()) title = fallbackTitle_;
    if (title == shownTitle_) return;
    shownTitle_ = title;
    SDL_SetWindowTitle(sdlWindow_, title.c_str());
}

void SDLScreen::placeInputMethod() {
    auto* field = dynamic_cast<UITextField*>(screen_.window()->firstResponder().get());
    if (!field || !field->isEditing()) return;
    const CGRect caret = field->convertRectToView(field->caretRect(), nullptr);
    const CGPoint from = sdlPointFromWindowPoint(caret.origin);
    const CGPoint to = sdlPointFromWindowPoint({CGRectGetMaxX(caret), CGRectGetMaxY(caret)});
    SDL_Rect at{int(from.x), int(from.y), std::max(1, int(to.x - from.x)), std::max(1, int(to.y - from.y))};
    if (at.x == inputMethodAt_.x && at.y == inputMethodAt_.y && at.h == inputMethodAt_.height) return;
    inputMethodAt_ = {at.x, at.y, at.w, at.h};
    SDL_SetTextInputRect(&at);
}

void SDLScreen::setIcon(const unsigned char* pixels, int width, int height, int stride) {
    if (!pixels || width <= 0 || height <= 0) return;
    // Cairo's ARGB32 is SDL's ARGB8888 in native byte order.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(pixels), width, height, 32,
                                                           stride, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(sdlWindow_, icon);
    SDL_FreeSurface(icon);
}

void SDLScreen::run() {
    while (turn()) {
    }
}

bool SDLScreen::turn(int waitMilliseconds) {
    if (!open_) return false;
    auto& loop = notify::RunLoop::main();
    const double sinceFrame = UIClock::shared().now() - lastFrame_;
    int wait = std::max(waitMilliseconds, 1);
    if (dirty_) wait = 1;
    else if (animating()) wait = std::clamp(int((kFrameSeconds - sinceFrame) * 1000), 1, wait);
    // Timers, readers and blocks of the main loop run while waiting; input is picked up after.
    loop.runUntil(notify::RunLoop::Clock::now() + std::chrono::milliseconds(wait));
    SDL_Event event;
    while (open_ && SDL_PollEvent(&event)) handle(event);
    if (!open_) return false;
    if (loop.dispatchCount() != seenDispatches_) {
        seenDispatches_ = loop.dispatchCount();
        dirty_ = true;
    }
    // The desktop switched between light and dark.
    if (UIScreen::mainScreen().userInterfaceStyle() != drawnStyle_) dirty_ = true;
    // Some drivers resize without an event: the size is looked at every turn.
    followWindowSize();
    updateTitle();
    placeInputMethod();
    if (dirty_ || (animating() && UIClock::shared().now() - lastFrame_ >= kFrameSeconds)) draw();
    return open_;
}

void SDLScreen::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: open_ = false; return;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) open_ = false;
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) followWindowSize();
            // A finger cannot stay down in a window that lost the pointer.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && mouseDown_) {
                mouseDown_ = false;
                screen_.touchCancel();
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button != SDL_BUTTON_LEFT) return;
            mouseDown_ = true;
            screen_.touchDown(windowPointFromSDL(event.button.x, event.button.y));
            break;
        case SDL_MOUSEMOTION:
            if (!mouseDown_) return;
            screen_.touchMove(windowPointFromSDL(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT || !mouseDown_) return;
            mouseDown_ = false;
            screen_.touchUp(windowPointFromSDL(event.button.x, event.button.y));
            break;
        case SDL_MOUSEWHEEL: {
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            const double flip = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            // Wheel up shows what is above: the content moves down.
            screen_.scrollWheel(windowPointFromSDL(x, y),
                                {flip * event.wheel.preciseX * kWheelStep, -flip * event.wheel.preciseY * kWheelStep});
            break;
        }
        case SDL_TEXTINPUT:
            // Also what an input method composed.
            if (!(spaceIsNoText_ && std::strcmp(event.text.text, " ") == 0)) screen_.typeText(event.text.text);
            spaceIsNoText_ = false;
            break;
        case SDL_KEYDOWN: handleKey(event); break;
        default: return;
    }
    dirty_ = true;
}

void SDLScreen::handleKey(const SDL_Event& event) {
    const SDL_Keysym& sym = event.key.keysym;
    KeyPress press;
    if (sym.mod & KMOD_SHIFT) press.modifiers |= UIKeyModifierShift;
    if (sym.mod & KMOD_CTRL) press.modifiers |= UIKeyModifierControl;
    if (sym.mod & KMOD_ALT) press.modifiers |= UIKeyModifierAlternate;
    static const std::pair<SDL_Keycode, UIKey> keys[] = {
        {SDLK_RETURN, UIKey::Return},     {SDLK_KP_ENTER, UIKey::Return},    {SDLK_ESCAPE, UIKey::Escape},
        {SDLK_BACKSPACE, UIKey::Backspace}, {SDLK_DELETE, UIKey::Delete},    {SDLK_TAB, UIKey::Tab},
        {SDLK_SPACE, UIKey::Space},       {SDLK_LEFT, UIKey::Left},          {SDLK_RIGHT, UIKey::Right},
        {SDLK_UP, UIKey::Up},             {SDLK_DOWN, UIKey::Down},          {SDLK_HOME, UIKey::Home},
        {SDLK_END, UIKey::End},           {SDLK_PAGEUP, UIKey::PageUp},      {SDLK_PAGEDOWN, UIKey::PageDown},
    };
    for (const auto& [sdlKey, uiKey] : keys)
        if (sym.sym == sdlKey) press.key = uiKey;
    if (!press.key && sym.sym >= SDLK_a && sym.sym <= SDLK_z) press.letter = char(sym.sym);
    if (!press.key && !press.letter) return;
    // A Space that presses a control is no text: the text event SDL sends after it is dropped.
    spaceIsNoText_ = press.key == UIKey::Space && !screen_.window()->firstResponder();
    switch (pressKeyOnWindow(*screen_.window(), press)) {
        case KeyOutcome::Close: open_ = false; break;
        case KeyOutcome::Rotate: rotate(); break;
        case KeyOutcome::Done: break;
    }
}

void SDLScreen::rotate() {
    // The window turns; its new shape turns the pages when the resize arrives.
    int width = 0, height = 0;
    SDL_GetWindowSize(sdlWindow_, &width, &height);
    const CGSize turned = turnedWindowSize(CGSizeMake(width, height), usableArea(), frame_);
    setSmallestSize(turned.width > turned.height);
    SDL_SetWindowSize(sdlWindow_, int(turned.width), int(turned.height));
    followWindowSize();
}

bool SDLScreen::animating() const {
    const UIWindow& window = *screen_.window();
    return layerAnimates(*window.layer()) || layerAnimates(*window.overlayRoot()->layer());
}

CGPoint SDLScreen::windowPointFromSDL(double x, double y) const {
    int width = 0, height = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(sdlWindow_, &width, &height);
    SDL_GetWindowSizeInPixels(sdlWindow_, &pixelWidth, &pixelHeight);
    const Placement p = placementIn(pixelWidth, pixelHeight, screen_.window()->bounds().size);
    const double ratio = width > 0 ? double(pixelWidth) / width : 1;
    return {(x * ratio - p.x) / p.scale, (y * ratio - p.y) / p.scale};
}

CGPoint SDLScreen::sdlPointFromWindowPoint(CGPoint point) const {
    int width = 0, height = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(sdlWindow_, &width, &height);
    SDL_GetWindowSizeInPixels(sdlWindow_, &pixelWidth, &pixelHeight);
    const Placement p = placementIn(pixelWidth, pixelHeight, screen_.window()->bounds().size);
    const double ratio = pixelWidth > 0 ? double(width) / pixelWidth : 1;
    return {(point.x * p.scale + p.x) * ratio, (point.y * p.scale + p.y) * ratio};
}

unsigned SDLScreen::sdlWindowID() const { return SDL_GetWindowID(sdlWindow_); }

void SDLScreen::draw() {
    SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow_);
    if (!surface) {
        foundation::logLine(std::string("AMPORA: the window has no surface: ") + SDL_GetError());
        return;
    }
    dirty_ = false;
    drawnStyle_ = UIScreen::mainScreen().userInterfaceStyle();
    lastFrame_ = UIClock::shared().now();
    ++frames_;
    const CGSize points = screen_.window()->bounds().size;
    const Placement p = placementIn(surface->w, surface->h, points);
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    // Straight into the surface when cairo knows its layout; else through a copy SDL converts.
    const std::optional<cairo_format_t> format = cairoFormatOf(*surface);
    cairo_surface_t* target =
        format ? cairo_image_surface_create_for_data(static_cast<unsigned char*>(surface->pixels), *format, surface->w,
                                                     surface->h, surface->pitch)
               : cairo_image_surface_create(CAIRO_FORMAT_RGB24, surface->w, surface->h);
    cairo_t* cr = cairo_create(target);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
    cairo_paint(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_scale(cr, p.scale, p.scale);
    cairo_rectangle(cr, 0, 0, points.width, points.height);
    cairo_clip(cr);
    setSourceColor(cr, systemColor(UISystemColor::systemBackground));
    cairo_paint(cr);
    UIGraphicsPushContext(cr);
    screen_.renderInto(cr);
    UIGraphicsPopContext();
    cairo_destroy(cr);
    cairo_surface_flush(target);
    if (!format)
        SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_XRGB8888, cairo_image_surface_get_data(target),
                          cairo_image_surface_get_stride(target), surface->format->format, surface->pixels,
                          surface->pitch);
    cairo_surface_destroy(target);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(sdlWindow_);
}

}  // namespace uikit
