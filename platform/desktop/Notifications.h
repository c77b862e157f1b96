#pragma once
// A client of the desktop's notification server (org.freedesktop.Notifications)
// on a session-bus connection someone else drives. Every call is asynchronous
// with a short timeout: without a server, a notice is simply not seen.

#include <systemd/sd-bus.h>

#include <cstdint>
#include <string>
#include <vector>

namespace desktop {

struct NoticeImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // straight alpha, rows top to bottom
};

class Notifications {
public:
    Notifications(sd_bus* bus, std::string appName);
    ~Notifications();
    Notifications(const Notifications&) = delete;
    Notifications& operator=(const Notifications&) = delete;

    // Shows a notice, replacing the one this client showed last.
    void show(const std::string& summary, const std::string& body, const NoticeImage& image, const std::string& iconName);
    // Closes the last notice, also one whose id the server has not told yet.
    void close();
    bool showing() const { return wanted_; }

private:
    static int onNotified(sd_bus_message* reply, void* self, sd_bus_error*);
    static int onClosed(sd_bus_message* signal, void* self, sd_bus_error*);
    void sendClose();

    sd_bus* bus_;
    std::string appName_;
    uint32_t id_ = 0;
    bool wanted_ = false;
    sd_bus_slot* callSlot_ = nullptr;
    sd_bus_slot* closedSlot_ = nullptr;
};

}  // namespace desktop
