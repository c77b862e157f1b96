#include "platform/uikit/events/UIResponder.h"

#include "platform/uikit/views/UIWindow.h"

namespace uikit {

UIWindow* UIResponder::responderWindow() const {
    UIResponder* next = nextResponder();
    return next ? next->responderWindow() : nullptr;
}

bool UIResponder::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!canBecomeFirstResponder()) return false;
    UIWindow* window = responderWindow();
    if (!window) return false;
    return window->makeFirstResponder(this);
}

bool UIResponder::resignFirstResponder() {
    if (!isFirstResponder()) return true;
    if (!canResignFirstResponder()) return false;
    if (UIWindow* window = responderWindow()) window->makeFirstResponder(nullptr);
    return true;
}

bool UIResponder::isFirstResponder() const {
    UIWindow* window = responderWindow();
    return window && window->firstResponder().get() == this;
}

void UIResponder::touchesBegan(const UITouchSet& t, const UIEvent& e) {
    if (UIResponder* next = nextResponder()) next->touchesBegan(t, e);
}
void UIResponder::touchesMoved(const UITouchSet& t, const UIEvent& e) {
    if (UIResponder* next = nextResponder()) next->touchesMoved(t, e);
}
void UIResponder::touchesEnded(const UITouchSet& t, const UIEvent& e) {
    if (UIResponder* next = nextResponder()) next->touchesEnded(t, e);
}
void UIResponder::touchesCancelled(const UITouchSet& t, const UIEvent& e) {
    if (UIResponder* next = nextResponder()) next->touchesCancelled(t, e);
}
bool UIResponder::pressKey(UIKey key) {
    UIResponder* next = nextResponder();
    return next && next->pressKey(key);
}
bool UIResponder::pressKeyWithModifiers(UIKey key, unsigned) { return pressKey(key); }
bool UIResponder::insertText(const std::string& text) {
    UIResponder* next = nextResponder();
    return next && next->insertText(text);
}
bool UIResponder::scrollWheel(CGPoint delta) {
    UIResponder* next = nextResponder();
    return next && next->scrollWheel(delta);
}

}  // namespace uikit
