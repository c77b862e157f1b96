#pragma once
// The battery item in a desktop's system tray: an org.kde.StatusNotifierItem
// exported on the session bus and registered with the tray's watcher, again
// whenever a watcher appears (a panel that crashed or reloaded).

#include <systemd/sd-bus.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hosts/statusbar/power/BatterySource.h"
#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/TrayPixmap.h"

namespace statusbar {

class StatusNotifierItem {
public:
    static constexpr const char* kObjectPath = "/StatusNotifierItem";
    static constexpr const char* kInterface = "org.kde.StatusNotifierItem";
    static constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";

    // `activate` runs on a primary click; `menuPath` is the object of the item's menu.
    StatusNotifierItem(desktop::BusConnection& connection, std::function<void()> activate, std::string menuPath, bool verbose);
    ~StatusNotifierItem();
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    const std::string& serviceName() const { return serviceName_; }
    // The item was redrawn: new pixmaps and words, announced to the tray. The
    // first update also takes the bus name and registers with the watcher.
    // `problem`, when given, is the tooltip's second line: why the icon is not the theme's.
    // `squares`, when given, are offered in place of the strip: trays draw items square.
    void update(const graphics::Image& strip, const BatteryState& battery, const std::string& problem = {},
                const std::vector<graphics::Image>& squares = {});

private:
    static const sd_bus_vtable kVTable[];
    static int getString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void* self,
                         sd_bus_error*);
    static int getPixmaps(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void* self,
                          sd_bus_error*);
    static int getToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                          sd_bus_error*);
    static int getBool(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*);
    static int getMenu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                       sd_bus_error*);
    static int getWindowId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                           sd_bus_error*);
    static int onActivate(sd_bus_message* call, void* self, sd_bus_error*);
    static int onIgnoredClick(sd_bus_message* call, void* self, sd_bus_error*);
    static int onWatcherOwnerChanged(sd_bus_message* signal, void* self, sd_bus_error*);
    static int onRegistered(sd_bus_message* reply, void* self, sd_bus_error*);

    void registerWithWatcher();
    std::string status() const;

    desktop::BusConnection& connection_;
    std::function<void()> activate_;
    std::string menuPath_;
    bool verbose_;
    std::string serviceName_;
    graphics::Image strip_;
    std::vector<graphics::Image> squares_;
    std::optional<std::vector<TrayPixmap>> pixmaps_;
    BatteryState battery_;
    std::string tooltip_;
    std::string tooltipText_;  // markup, as the item's tooltip description is
    sd_bus_slot* objectSlot_ = nullptr;
    sd_bus_slot* matchSlot_ = nullptr;
    sd_bus_slot* nameSlot_ = nullptr;
    sd_bus_slot* registerSlot_ = nullptr;
};

}  // namespace statusbar
