#pragma once
// A session- or system-bus connection (sd-bus) driven by the host's run loop. The loop
// watches one descriptor, an epoll set holding the bus socket (for reading
// and, while messages wait to go out, writing) and a timer for the bus's next
// deadline, so the host never waits on the bus and the bus never waits on a peer.

#include <systemd/sd-bus.h>

#include <memory>
#include <string>

#include "platform/notify/RunLoop.h"

namespace statusbar {

class BusConnection {
public:
    // The session bus, or nullptr with the reason in `error` when there is none.
    static std::unique_ptr<BusConnection> openSession(notify::RunLoop& loop, std::string& error);
    // The system bus ($DBUS_SYSTEM_BUS_ADDRESS when set), where UPower lives.
    static std::unique_ptr<BusConnection> openSystem(notify::RunLoop& loop, std::string& error);
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    sd_bus* bus() const { return bus_; }
    bool connected() const { return readerToken_ != 0; }
    // Dispatches what is waiting and re-arms the watch; call after sending from
    // outside a bus callback so that a partly written queue is finished later.
    void process();

private:
    BusConnection(sd_bus* bus, notify::RunLoop& loop, bool system);
    static std::unique_ptr<BusConnection> open(notify::RunLoop& loop, bool system, std::string& error);
    void rearm();
    void disconnect();

    sd_bus* bus_;
    notify::RunLoop& loop_;
    int epoll_ = -1;
    int timer_ = -1;
    int readerToken_ = 0;
    bool system_ = false;
};

}  // namespace statusbar
