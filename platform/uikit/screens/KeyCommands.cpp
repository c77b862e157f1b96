#include "platform/uikit/screens/KeyCommands.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/screens/WindowActions.h"
#include "platform/uikit/views/UIClock.h"

namespace uikit {
namespace {

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

const std::pair<const char*, UIKey> kNamedKeys[] = {
    {"return", UIKey::Return}, {"enter", UIKey::Return}, {"escape", UIKey::Escape}, {"backspace", UIKey::Backspace},
    {"delete", UIKey::Delete}, {"tab", UIKey::Tab},      {"space", UIKey::Space},   {"left", UIKey::Left},
    {"right", UIKey::Right},   {"up", UIKey::Up},        {"down", UIKey::Down},     {"home", UIKey::Home},
    {"end", UIKey::End},       {"pageup", UIKey::PageUp}, {"pagedown", UIKey::PageDown},
};

}  // namespace

const char* const kKeyNames =
    "Return, Escape, Backspace, Delete, Tab, Space, Left, Right, Up, Down, Home, End, PageUp, PageDown or a letter, "
    "after shift+, ctrl+ or alt+";

std::optional<KeyPress> parseKeyPress(const std::string& text) {
    KeyPress press;
    std::string rest = lowered(text);
    for (size_t plus; (plus = rest.find('+')) != std::string::npos;) {
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "shift") press.modifiers |= UIKeyModifierShift;
        else if (modifier == "ctrl" || modifier == "control") press.modifiers |= UIKeyModifierControl;
        else if (modifier == "alt") press.modifiers |= UIKeyModifierAlternate;
        else return std::nullopt;
        rest = rest.substr(plus + 1);
    }
    for (const auto& [name, key] : kNamedKeys)
        if (rest == name) {
            press.key = key;
            return press;
        }
    if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z' && (press.modifiers & UIKeyModifierControl)) {
        press.letter = rest[0];
        return press;
    }
    return std::nullopt;
}

KeyOutcome pressKeyOnWindow(UIWindow& window, const KeyPress& press) {
    const unsigned held = press.modifiers;
    const double now = UIClock::shared().now();
    if (press.letter) {
        if (!(held & UIKeyModifierControl)) return KeyOutcome::Done;
        switch (press.letter) {
            case 'q':
            case 'w': return KeyOutcome::Close;
            case 'r': return KeyOutcome::Rotate;
            case 'a': window.sendEvent(UIEvent::key(UIKey::SelectAll, now)); break;
            case 'c': window.sendEvent(UIEvent::key(UIKey::Copy, now)); break;
            case 'x': window.sendEvent(UIEvent::key(UIKey::Cut, now)); break;
            case 'v': window.sendEvent(UIEvent::key(UIKey::Paste, now)); break;
            default: break;
        }
        return KeyOutcome::Done;
    }
    if (!press.key) return KeyOutcome::Done;
    if (*press.key == UIKey::Left && (held & UIKeyModifierAlternate)) {
        // Pages stay put under an alert or a sheet, as they do for a tap.
        if (!window.modalOverlay() && !UIAlertView::visibleAlert()) goBack(window);
        return KeyOutcome::Done;
    }
    if (*press.key == UIKey::Escape) {
        pressEscape(window);
        return KeyOutcome::Done;
    }
    window.sendEvent(UIEvent::key(*press.key, now, held));
    return KeyOutcome::Done;
}

}  // namespace uikit
