#include "hosts/statusbar/SettingsLauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "platform/foundation/Log.h"

extern char** environ;

namespace statusbar {

SettingsLauncher::SettingsLauncher(std::string program, notify::RunLoop& loop)
    : program_(std::move(program)), loop_(loop) {}

SettingsLauncher::~SettingsLauncher() {
    // The window outlives the host; only the timer goes.
    if (reapTimer_) loop_.cancelTimer(reapTimer_);
}

bool SettingsLauncher::launch() {
    reap();
    if (child_ > 0 || program_.empty() || ::access(program_.c_str(), X_OK) != 0) return false;
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string path = program_;
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    const int r = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (r != 0) {
        foundation::logLine("AMPORA: status bar: cannot start " + program_);
        return false;
    }
    child_ = pid;
    if (!reapTimer_) reapTimer_ = loop_.addTimer(std::chrono::seconds(1), true, [this] { reap(); });
    return true;
}

void SettingsLauncher::reap() {
    if (child_ > 0 && ::waitpid(child_, nullptr, WNOHANG) != 0) child_ = 0;
    if (child_ == 0 && reapTimer_) {
        loop_.cancelTimer(reapTimer_);
        reapTimer_ = 0;
    }
}

}  // namespace statusbar
