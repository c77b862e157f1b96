#pragma once
// A private session bus for one test, a stand-in tray watcher on it, and the
// host programs started as child processes.

#include <sys/types.h>
#include <systemd/sd-bus.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// dbus-daemon with the session configuration; DBUS_SESSION_BUS_ADDRESS points
// to it for as long as it lives, so that children started meanwhile use it.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    const std::string& address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

struct Pixmap {
    int width = 0, height = 0;
    std::vector<uint8_t> argb;
};

// One item of a dbusmenu layout, with the properties the menu sent.
struct MenuItem {
    int id = -1;
    std::map<std::string, std::variant<std::string, bool, int>> properties;
    std::vector<MenuItem> children;

    // The values a menu leaves out mean these.
    std::string text(const std::string& name, const std::string& absent = "") const;
    std::string label() const { return text("label"); }
    std::string type() const { return text("type", "standard"); }
    bool enabled() const;
    int toggleState() const;
    // The first item below this one with that label.
    const MenuItem* find(const std::string& label) const;
};

struct MenuLayout {
    unsigned revision = 0;
    MenuItem root;
};

// Owns org.kde.StatusNotifierWatcher and takes registrations, as a panel does;
// can also read an item's properties and call its methods.
class TestWatcher {
public:
    // `answers` false: a broken watcher that takes registrations and never replies.
    explicit TestWatcher(const std::string& address, bool answers = true);
    ~TestWatcher();  // the connection closes: the name is gone, as when a panel crashes

    // Serves the bus until `done` or `limit`; true when done.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
    const std::vector<std::string>& registrations() const { return registrations_; }
    int newIcons() const { return newIcons_; }

    std::string stringProperty(const std::string& service, const char* property);
    std::vector<Pixmap> pixmapProperty(const std::string& service, const char* property);
    std::string toolTipTitle(const std::string& service);
    std::pair<std::string, std::string> toolTip(const std::string& service);  // title, description
    // True when the call got a successful reply.
    bool call(const std::string& service, const char* method, const char* signature, int a, int b);
    bool scroll(const std::string& service);

    // The item's Menu object, read as a tray reads it.
    std::string menuPath(const std::string& service);
    unsigned menuVersion(const std::string& service, const std::string& path);
    std::optional<MenuLayout> menuLayout(const std::string& service, const std::string& path, int parent = 0,
                                         int depth = -1, const std::vector<std::string>& properties = {});
    // An Event call ("clicked" unless told); true when it was answered without error.
    bool menuEvent(const std::string& service, const std::string& path, int id, const char* event = "clicked");
    // The menu's signals seen so far.
    int layoutUpdates() const { return layoutUpdates_; }
    int propertiesUpdates() const { return propertiesUpdates_; }

private:
    static int onRegister(sd_bus_message* call, void* self, sd_bus_error*);
    static int onNewIcon(sd_bus_message*, void* self, sd_bus_error*);
    static int onMenuSignal(sd_bus_message* signal, void* self, sd_bus_error*);

    sd_bus* bus_ = nullptr;
    bool answers_;
    std::vector<std::string> registrations_;
    std::vector<sd_bus_message*> unanswered_;
    int newIcons_ = 0;
    int layoutUpdates_ = 0, propertiesUpdates_ = 0;
};

class HostProcess {
public:
    // Runs `program` with `arguments`; stdout goes to `stdoutPath` when given.
    HostProcess(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& stdoutPath = "");
    ~HostProcess();
    pid_t pid() const { return pid_; }
    // False once it ended; its exit status is then kept for wait().
    bool alive() const;
    // Waits for the program to end; its exit status (-1: killed by a signal).
    int wait();

private:
    mutable pid_t pid_ = -1;
    mutable int status_ = -1;
};

// A shell command's exit status.
int shell(const std::string& command);
std::string readWholeFile(const std::string& path);
// Pixels of a PNG file as ARGB32 with premultiplied alpha (cairo's own form).
Pixmap readPNG(const std::string& path);
// A tray pixmap (straight alpha, A R G B bytes) in the same form.
Pixmap premultiplied(const Pixmap& tray);
