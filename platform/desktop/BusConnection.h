#pragma once
// A session- or system-bus connection (sd-bus) driven by the host's run loop. The loop
// watches one descriptor, an epoll set holding the bus socket (for reading
// and, while messages wait to go out, writing) and a timer for the bus's next
// deadline, so the host never waits on the bus and the bus never waits on a peer.

#include <systemd/sd-bus.h>

#include <memory>
#include <string>

#include "platform/notify/RunLoop.h"

namespace desktop {

class BusConnection {
public:
    // The session bus, or nullptr with the reason in `error` when there is none.
    // `whenLost` says in the log what a person loses if the bus goes away.
    static std::unique_ptr<BusConnection> openSession(notify::RunLoop& loop, std::string& error,
                                                      std::string whenLost = {});
    // The system bus ($DBUS_SYSTEM_BUS_ADDRESS when set), where UPower lives.
    static std::unique_ptr<BusConnection> openSystem(notify::RunLoop& loop, std::string& error,
                                                     std::string whenLost = {});
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    sd_bus* bus() const { return bus_; }
    bool connected() const { return readerToken_ != 0; }
    // Dispatches what is waiting and re-arms the watch; call after sending from
    // outside a bus callback so that a partly written queue is finished later.
    void process();

private:
    BusConnection(sd_bus* bus, notify::RunLoop& loop, bool system, std::string whenLost);
    static std::unique_ptr<BusConnection> open(notify::RunLoop& loop, bool system, std::string& error,
                                               std::string whenLost);
    void rearm();
    void disconnect();

    sd_bus* bus_;
    notify::RunLoop& loop_;
    int epoll_ = -1;
    int timer_ = -1;
    int readerToken_ = 0;
    bool system_ = false;
    std::string whenLost_;
};

}  // namespace desktop
