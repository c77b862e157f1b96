#pragma once
// One tray host per session: the one that owns the bus name org.ampora.StatusBar,
// or, without a session bus, holds the lock in the runtime folder. A later host
// finds the first one's pid and leaves it alone, or, asked to replace it, takes
// the name, and the first one ends when it loses it.

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/BusConnection.h"

namespace statusbar {

class SingleInstance {
public:
    static constexpr const char* kBusName = "org.ampora.StatusBar";

    struct Claim {
        std::unique_ptr<SingleInstance> instance;  // null: another one runs, or the claim failed
        pid_t running = 0;                         // that other one's pid, when known
        std::string problem;                       // why the claim failed
    };
    // `session` may be null (no session bus): then the lock file. `lost` runs
    // when a later host replaces this one.
    static Claim claim(desktop::BusConnection* session, bool replace, std::function<void()> lost);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // $XDG_RUNTIME_DIR/ampora-statusbar.lock, else one per user in the temporary folder.
    static std::string lockPath();

private:
    SingleInstance() = default;
    static Claim claimName(desktop::BusConnection& session, bool replace, std::function<void()> lost);
    static Claim claimLock(bool replace);
    static int onNameLost(sd_bus_message* signal, void* self, sd_bus_error*);

    std::function<void()> lost_;
    sd_bus_slot* lostSlot_ = nullptr;
    int lockFd_ = -1;
};

}  // namespace statusbar
