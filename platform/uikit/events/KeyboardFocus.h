#pragma once
// The keyboard focus of one window. Tab and Shift+Tab walk the controls and
// selectable rows shown, in the order they are drawn; Up and Down walk the
// rows of the focused row's table. Return, Space and the side arrows go to
// what has the focus (a tap on a row or a button, a switch turned, a slider
// moved). A focused row, or the row holding a focused control, shows the
// selected-row look; any other focused control gets a ring in the tint color.
// A text field that takes the focus starts editing with its text selected.
// Page Up, Page Down, Home and End scroll the focused view's scroll view, or
// else the largest one that can scroll.

#include <memory>
#include <vector>

#include <cairo.h>

#include "platform/uikit/events/UIEvent.h"

namespace uikit {

class UIView;
class UIWindow;

class KeyboardFocus {
public:
    explicit KeyboardFocus(UIWindow& window) : window_(window) {}

    // nullptr when nothing has the focus or what had it is gone.
    UIView* focusedView() const;
    // Moves the focus to `view` (nullptr: nowhere), scrolled into sight. False
    // when a text field being edited refuses to stop.
    bool focus(UIView* view);
    // The look goes with it; text editing stays.
    void clear();

    // A key the responder chain left: true when it moved or used the focus.
    bool handleKey(UIKey key, unsigned modifiers);

    // What Tab visits, in order: content first, then the overlays.
    std::vector<UIView*> focusableViews() const;

    // The ring around a focused control outside any row; user space in window points.
    void drawRing(cairo_t* cr) const;

private:
    // Where Tab or an arrow starts from: the focus, else the text field being edited.
    UIView* current() const;
    bool moveBy(int step, bool withinTable);
    bool scrollPage(UIKey key);
    void showFocus(UIView* view, bool shown);

    UIWindow& window_;
    std::weak_ptr<UIView> focused_;
};

}  // namespace uikit
