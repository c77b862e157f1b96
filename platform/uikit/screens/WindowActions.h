#pragma once
// What a person does to the whole window rather than to one view, the same
// from the desktop window and from scripts: turning the phone, going back a
// page, and Escape.

#include <string>

#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {

// The window's root page when it is a navigation stack; nullptr otherwise.
UINavigationControllerPtr navigationControllerOf(const UIWindow& window);

// Portrait <-> landscape: the screen's orientation, the window's size swapped
// and laid out, and the root page told which orientation it turned from.
void rotateWindow(UIWindow& window);

// The screen and the window become `points` big, portrait or landscape by
// that shape, and are laid out again; the root page is told when the
// orientation changed, as after a turn.
void resizeWindow(UIWindow& window, CGSize points);

// The title of the page on top, else of the root page; empty when neither has one.
std::string shownPageTitle(const UIWindow& window);

// Pops the top page with its slide; false at the root, without a stack, or
// while a slide still runs.
bool goBack(UIWindow& window);

// Cancels the alert or sheet on top when one shows, else goes back a page; at
// the root the key goes to the first responder.
void pressEscape(UIWindow& window);

}  // namespace uikit
