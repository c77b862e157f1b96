#pragma once
// Touches, key presses and typed text, as the window hands them out.

#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

class UIView;
class UIWindow;
class UIGestureRecognizer;

enum class UITouchPhase { Began, Moved, Stationary, Ended, Cancelled };

class UITouch {
public:
    UITouchPhase phase() const { return phase_; }
    double timestamp() const { return timestamp_; }
    int tapCount() const { return tapCount_; }
    // The view the touch began in; nullptr once that view is gone.
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIWindow> window() const { return window_.lock(); }
    CGPoint locationInWindow() const { return location_; }
    CGPoint locationInView(const UIView* view) const;  // nullptr: window coordinates
    CGPoint previousLocationInView(const UIView* view) const;

    // For screens turning input into touches: the new phase and place (window points).
    void update(UITouchPhase phase, CGPoint windowLocation, double timestamp);

private:
    friend class UIWindow;
    UITouchPhase phase_ = UITouchPhase::Began;
    double timestamp_ = 0;
    int tapCount_ = 1;
    CGPoint location_, previous_;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIWindow> window_;
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers_;
    bool deliveredToView_ = true;  // false once a recognizer took the touch from the view
};

using UITouchPtr = std::shared_ptr<UITouch>;
using UITouchSet = std::vector<UITouchPtr>;

// Keys that mean something to controls and alerts; text arrives separately.
// The editing commands (select all, copy, cut, paste) are what the desktop's
// shortcuts for them become.
enum class UIKey {
    Return, Escape, Backspace, Delete, Tab, Left, Right, Up, Down,
    Space, Home, End, PageUp, PageDown,
    SelectAll, Copy, Cut, Paste,
};

// Held with a key.
enum UIKeyModifierFlags : unsigned {
    UIKeyModifierNone = 0,
    UIKeyModifierShift = 1u << 0,
    UIKeyModifierControl = 1u << 1,
    UIKeyModifierAlternate = 1u << 2,
};

class UIEvent {
public:
    enum class Type { Touches, Key, Text, Scroll };

    static UIEvent touches(UITouchSet touches, double timestamp) { return UIEvent(Type::Touches, std::move(touches), {}, {}, timestamp); }
    static UIEvent key(UIKey key, double timestamp, unsigned modifiers = UIKeyModifierNone) {
        UIEvent e(Type::Key, {}, key, {}, timestamp);
        e.modifiers_ = modifiers;
        return e;
    }
    static UIEvent text(std::string text, double timestamp) { return UIEvent(Type::Text, {}, {}, std::move(text), timestamp); }
    // A wheel or touchpad step over `location` (window points); `delta` in points the content moves up and left by.
    static UIEvent scroll(CGPoint location, CGPoint delta, double timestamp) {
        UIEvent e(Type::Scroll, {}, {}, {}, timestamp);
        e.location_ = location, e.scrollDelta_ = delta;
        return e;
    }

    Type type() const { return type_; }
    double timestamp() const { return timestamp_; }
    const UITouchSet& allTouches() const { return touches_; }
    UIKey keyCode() const { return key_; }
    unsigned modifierFlags() const { return modifiers_; }
    const std::string& text() const { return text_; }
    CGPoint locationInWindow() const { return location_; }
    CGPoint scrollDelta() const { return scrollDelta_; }

private:
    UIEvent(Type type, UITouchSet touches, UIKey key, std::string text, double timestamp)
        : type_(type), touches_(std::move(touches)), key_(key), text_(std::move(text)), timestamp_(timestamp) {}
    Type type_;
    UITouchSet touches_;
    UIKey key_ = UIKey::Return;
    unsigned modifiers_ = UIKeyModifierNone;
    std::string text_;
    CGPoint location_, scrollDelta_;
    double timestamp_ = 0;
};

}  // namespace uikit
