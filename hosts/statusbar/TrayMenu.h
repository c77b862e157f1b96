#pragma once
// The tray item's menu, exported as com.canonical.dbusmenu: "Settings…", the
// battery in words, "Theme" with the installed themes to pick from, and "Quit".
// Only what trays read: the layout, item properties, clicks, and the two
// signals that tell them to read again.

#include <systemd/sd-bus.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/power/BatterySource.h"

namespace statusbar {

class TrayMenu {
public:
    static constexpr const char* kObjectPath = "/MenuBar";
    static constexpr const char* kInterface = "com.canonical.dbusmenu";

    struct Actions {
        std::function<void()> openSettings;
        std::function<void()> quit;
    };
    TrayMenu(desktop::BusConnection& connection, Actions actions, bool verbose);
    ~TrayMenu();
    TrayMenu(const TrayMenu&) = delete;
    TrayMenu& operator=(const TrayMenu&) = delete;

    // A redraw: the battery line follows the battery, the theme items the settings
    // and theme folder it was drawn from. The signals telling trays so are queued;
    // the caller processes the connection (the item's update does).
    void update(const BatteryState& battery);

private:
    using Value = std::variant<std::string, bool, int32_t>;
    struct Entry {
        int32_t id;
        std::vector<std::pair<std::string, Value>> properties;
        std::vector<Entry> children;
    };

    static const sd_bus_vtable kVTable[];
    static int getVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*);
    static int getString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void*,
                         sd_bus_error*);
    static int getIconThemePath(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                                sd_bus_error*);
    static int onGetLayout(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onGetGroupProperties(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onGetProperty(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onEvent(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onEventGroup(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onAboutToShow(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onAboutToShowGroup(sd_bus_message* call, void* self, sd_bus_error* error);

    Entry tree();
    static const Entry* find(const Entry& entry, int32_t id);
    // Reads the theme folder and the selected theme again; true when the layout changed.
    bool refresh();
    int32_t themeId(const std::string& name);
    void activate(int32_t id);
    void chooseTheme(const std::string& name);
    void announceBatteryLine();
    void announceLayout();

    desktop::BusConnection& connection_;
    Actions actions_;
    bool verbose_;
    uint32_t revision_ = 1;
    std::string batteryLine_;
    std::vector<std::string> themes_;
    std::string selected_;
    // A theme keeps its id while the host runs, so a click on a menu read
    // before the folder changed still names the theme it showed.
    std::map<std::string, int32_t> themeIds_;
    int32_t nextThemeId_;
    sd_bus_slot* objectSlot_ = nullptr;
};

}  // namespace statusbar
