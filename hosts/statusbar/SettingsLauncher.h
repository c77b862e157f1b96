#pragma once
// Starts the settings window on a click in the tray: the program of the same
// installation, in its own session, at most one at a time. The child is
// reaped by its own pid so that no other child of the host is touched.

#include <sys/types.h>

#include <string>

#include "platform/notify/RunLoop.h"

namespace statusbar {

class SettingsLauncher {
public:
    SettingsLauncher(std::string program, notify::RunLoop& loop);
    ~SettingsLauncher();
    SettingsLauncher(const SettingsLauncher&) = delete;
    SettingsLauncher& operator=(const SettingsLauncher&) = delete;

    const std::string& program() const { return program_; }
    // False when there is no such program or the window it opened is still open.
    bool launch();

private:
    void reap();

    std::string program_;
    notify::RunLoop& loop_;
    pid_t child_ = 0;
    int reapTimer_ = 0;
};

}  // namespace statusbar
