// The desktop window as a module the host loads only to open one, so that
// screenshots and scripts never load SDL and the libraries it brings.
#include <string>

#include "platform/uikit/screens/SDLScreen.h"

// Shows `window` until it is closed; false with the reason in `error` when no window opens.
extern "C" bool amporaRunSettingsWindow(const uikit::UIWindowPtr* window, double scale, std::string* error) {
    auto screen = uikit::SDLScreen::open(*window, "Settings", scale, *error);
    if (!screen) return false;
    screen->run();
    return true;
}
