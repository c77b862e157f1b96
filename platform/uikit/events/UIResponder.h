#pragma once
// The responder chain: touches, keys and text go to a responder and, when it
// does not handle them, on to the next (a view's controller, then its superview).

#include <memory>
#include <string>

#include "platform/uikit/events/UIEvent.h"

namespace uikit {

class UIWindow;

class UIResponder : public std::enable_shared_from_this<UIResponder> {
public:
    virtual ~UIResponder() = default;

    virtual UIResponder* nextResponder() const { return nullptr; }

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    // False when this responder cannot, is not in a window, or the current one refuses to resign.
    bool becomeFirstResponder();
    bool resignFirstResponder();
    bool isFirstResponder() const;

    // Touches not handled here go up the chain.
    virtual void touchesBegan(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesMoved(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesEnded(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesCancelled(const UITouchSet& touches, const UIEvent& event);
    // True when handled; the base passes them on.
    virtual bool pressKey(UIKey key);
    // With what was held; the base drops the modifiers for those that need none.
    virtual bool pressKeyWithModifiers(UIKey key, unsigned modifiers);
    virtual bool insertText(const std::string& text);
    virtual bool scrollWheel(CGPoint delta);

    // The window this responder acts in, found along the chain.
    virtual UIWindow* responderWindow() const;

protected:
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}

private:
    friend class UIWindow;
};

}  // namespace uikit
