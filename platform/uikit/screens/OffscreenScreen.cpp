#include "platform/uikit/screens/OffscreenScreen.h"

#include <chrono>
#include <cmath>

#include "platform/foundation/AtomicWrite.h"
#include "platform/notify/RunLoop.h"
#include "platform/uikit/views/UIClock.h"

namespace uikit {

OffscreenScreen::OffscreenScreen(UIWindowPtr window) : window_(std::move(window)) {}

UIImagePtr OffscreenScreen::render(double scale) const {
    if (!(scale > 0) || !std::isfinite(scale)) scale = graphics::mainScreenScale();
    const CGSize size = window_->bounds().size;
    // Drawn straight into the image's own pixels: no copy of a whole screen.
    graphics::BitmapContext bitmap(size.width, size.height, scale);
    cairo_scale(bitmap.cairo(), scale, scale);
    UIGraphicsPushContext(bitmap.cairo());
    renderInto(bitmap.cairo());
    UIGraphicsPopContext();
    return bitmap.image();
}

void OffscreenScreen::renderInto(cairo_t* cr) const {
    cairo_save(cr);
    window_->renderWindow(cr);
    cairo_restore(cr);
}

bool OffscreenScreen::writePNG(const std::string& path, double scale) const {
    UIImagePtr image = render(scale);
    return image && image->writePNG(path);
}

void OffscreenScreen::send(int finger, UITouchPhase phase, CGPoint point) {
    UITouchPtr& touch = touches_[finger];
    if (phase == UITouchPhase::Began || !touch) touch = std::make_shared<UITouch>();
    touch->update(phase, point, UIClock::shared().now());
    UITouchPtr keep = touch;
    if (phase == UITouchPhase::Ended || phase == UITouchPhase::Cancelled) touches_.erase(finger);
    window_->sendEvent(UIEvent::touches({keep}, keep->timestamp()));
}

void OffscreenScreen::touchDown(CGPoint p, int finger) { send(finger, UITouchPhase::Began, p); }
void OffscreenScreen::touchMove(CGPoint p, int finger) {
    if (touches_.count(finger)) send(finger, UITouchPhase::Moved, p);
}
void OffscreenScreen::touchUp(CGPoint p, int finger) {
    if (touches_.count(finger)) send(finger, UITouchPhase::Ended, p);
}
void OffscreenScreen::touchCancel(int finger) {
    if (auto it = touches_.find(finger); it != touches_.end()) send(finger, UITouchPhase::Cancelled, it->second->locationInWindow());
}

void OffscreenScreen::tap(CGPoint p) {
    touchDown(p);
    touchUp(p);
}

void OffscreenScreen::drag(CGPoint from, CGPoint to, int steps, double seconds) {
    steps = std::max(steps, 1);
    touchDown(from);
    for (int i = 1; i <= steps; ++i) {
        UIClock::shared().advance(seconds / steps);
        const double f = double(i) / steps;
        touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
    }
    touchUp(to);
}

void OffscreenScreen::typeText(const std::string& text) {
    window_->sendEvent(UIEvent::text(text, UIClock::shared().now()));
}

void OffscreenScreen::pressKey(UIKey key, unsigned modifiers) {
    window_->sendEvent(UIEvent::key(key, UIClock::shared().now(), modifiers));
}
void OffscreenScreen::scrollWheel(CGPoint point, CGPoint delta) {
    window_->sendEvent(UIEvent::scroll(point, delta, UIClock::shared().now()));
}

void OffscreenScreen::runPendingBlocks() {
    notify::RunLoop::main().runUntil(notify::RunLoop::Clock::now() + std::chrono::milliseconds(1));
}

}  // namespace uikit
