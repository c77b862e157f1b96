#include "hosts/settings/DesktopLook.h"

#include <string>

#include "platform/uikit/views/UIScreen.h"

namespace settingshost {

DesktopLook::DesktopLook(notify::RunLoop& loop) : loop_(loop) {
    // Without a session bus the GTK theme still counts; nothing is lost worth saying.
    std::string error;
    bus_ = desktop::BusConnection::openSession(loop, error, "the window no longer follows the desktop's color scheme");
    watch_ = std::make_unique<desktop::ColorSchemeWatch>(
        bus_ ? bus_->bus() : nullptr, [this](desktop::ColorScheme now) { show(now); }, desktop::ColorScheme::light);
    if (bus_) bus_->process();
    show(watch_->scheme());
}

void DesktopLook::awaitFirstAnswer(std::chrono::milliseconds limit) {
    const auto until = notify::RunLoop::Clock::now() + limit;
    while (watch_->pending() && notify::RunLoop::Clock::now() < until)
        loop_.runUntil(std::min(until, notify::RunLoop::Clock::now() + std::chrono::milliseconds(5)));
    show(watch_->scheme());
}

void DesktopLook::show(desktop::ColorScheme scheme) {
    uikit::UIScreen::mainScreen().setUserInterfaceStyle(scheme == desktop::ColorScheme::dark ? uikit::UIUserInterfaceStyle::Dark
                                                                                             : uikit::UIUserInterfaceStyle::Light);
}

}  // namespace settingshost
