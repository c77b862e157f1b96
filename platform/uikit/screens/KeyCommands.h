#pragma once
// Key presses as a person makes them on the desktop, the same from the SDL
// window and from scripts: Ctrl+Q and Ctrl+W close the window, Ctrl+R turns
// it, Escape closes the alert on top or goes back, Alt+Left goes back, Ctrl+A,
// Ctrl+C, Ctrl+X and Ctrl+V are the editing commands, and every other key goes
// to the window (the field being edited, else the keyboard focus).

#include <optional>
#include <string>

#include "platform/uikit/events/UIEvent.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {

struct KeyPress {
    std::optional<UIKey> key;  // a named key, else
    char letter = 0;           // a letter key, lower case
    unsigned modifiers = UIKeyModifierNone;
};

// "Tab", "shift+Tab", "ctrl+a", "alt+Left": modifiers (shift, ctrl, alt) and a
// key joined by '+', any case. nullopt when it names no key, or a letter
// without Ctrl (letters alone are typed text).
std::optional<KeyPress> parseKeyPress(const std::string& text);
// The key names parseKeyPress knows, for messages.
extern const char* const kKeyNames;

// What the owner of the window has to do after a press.
enum class KeyOutcome { Done, Close, Rotate };

KeyOutcome pressKeyOnWindow(UIWindow& window, const KeyPress& press);

}  // namespace uikit
