// UPower's display device (all system batteries as one, peripherals apart) and
// power-profiles-daemon's active profile, read asynchronously on the system
// bus and followed through PropertiesChanged, with sysfs behind them.
#include <systemd/sd-bus.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <variant>

#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/power/BatterySource.h"

namespace statusbar {
namespace {

// Long enough for a loaded daemon, short enough that a hung one is soon given up.
constexpr uint64_t kAnswerMicroseconds = 1'000'000;

using Value = std::variant<bool, double, int64_t, std::string>;
using Properties = std::map<std::string, Value>;

// Reads an a{sv} at the message's position; types other than these are skipped.
int readProperties(sd_bus_message* m, Properties& into) {
    int r = sd_bus_message_enter_container(m, 'a', "{sv}");
    if (r < 0) return r;
    while ((r = sd_bus_message_enter_container(m, 'e', "sv")) > 0) {
        const char* name = nullptr;
        char type = 0;
        const char* contents = nullptr;
        if ((r = sd_bus_message_read(m, "s", &name)) < 0 || (r = sd_bus_message_peek_type(m, &type, &contents)) < 0)
            return r;
        const char t = contents ? contents[0] : 0;
        union {
            int b;
            double d;
            int64_t x;
            uint64_t t;
            int32_t i;
            uint32_t u;
            const char* s;
        } v{};
        if (t == 'b' && (r = sd_bus_message_read(m, "v", "b", &v.b)) >= 0) into[name] = bool(v.b);
        else if (t == 'd' && (r = sd_bus_message_read(m, "v", "d", &v.d)) >= 0) into[name] = v.d;
        else if (t == 'x' && (r = sd_bus_message_read(m, "v", "x", &v.x)) >= 0) into[name] = v.x;
        else if (t == 't' && (r = sd_bus_message_read(m, "v", "t", &v.t)) >= 0) into[name] = int64_t(v.t);
        else if (t == 'i' && (r = sd_bus_message_read(m, "v", "i", &v.i)) >= 0) into[name] = int64_t(v.i);
        else if (t == 'u' && (r = sd_bus_message_read(m, "v", "u", &v.u)) >= 0) into[name] = int64_t(v.u);
        else if (t == 's' && (r = sd_bus_message_read(m, "v", "s", &v.s)) >= 0) into[name] = std::string(v.s);
        else r = sd_bus_message_skip(m, "v");
        if (r < 0 || (r = sd_bus_message_exit_container(m)) < 0) return r;
    }
    return r < 0 ? r : sd_bus_message_exit_container(m);
}

template <class T>
T get(const Properties& p, const char* name, T otherwise) {
    const auto it = p.find(name);
    if (it == p.end()) return otherwise;
    if (const T* v = std::get_if<T>(&it->second)) return *v;
    if constexpr (std::is_arithmetic_v<T>) {
        if (const auto* d = std::get_if<double>(&it->second)) return T(*d);
        if (const auto* x = std::get_if<int64_t>(&it->second)) return T(*x);
    }
    return otherwise;
}

// One object's properties of one interface: fetched when it starts and
// whenever its service (re)appears, then kept up to date from its signals.
class Watched {
public:
    enum class Status { asking, ready, absent };

    Watched(desktop::BusConnection& bus, const char* service, const char* path, const char* interface, std::function<void()> changed)
        : bus_(bus), service_(service), path_(path), interface_(interface), changed_(std::move(changed)) {
        sd_bus_match_signal_async(bus_.bus(), &signalSlot_, nullptr, path, "org.freedesktop.DBus.Properties",
                                  "PropertiesChanged", onChanged, nullptr, this);
        const std::string owner = "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                                  "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='" +
                                  service_ + "'";
        sd_bus_add_match_async(bus_.bus(), &ownerSlot_, owner.c_str(), onOwner, nullptr, this);
        fetch();
        bus_.process();
    }
    ~Watched() {
        for (sd_bus_slot* slot : {callSlot_, signalSlot_, ownerSlot_}) sd_bus_slot_unref(slot);
    }
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

    Status status() const { return bus_.connected() ? status_ : Status::absent; }
    const Properties& properties() const { return properties_; }
    const std::string& why() const { return why_; }

private:
    void fetch() {
        callSlot_ = sd_bus_slot_unref(callSlot_);
        sd_bus_message* call = nullptr;
        int r = sd_bus_message_new_method_call(bus_.bus(), &call, service_.c_str(), path_.c_str(),
                                               "org.freedesktop.DBus.Properties", "GetAll");
        if (r >= 0) r = sd_bus_message_append(call, "s", interface_.c_str());
        if (r >= 0) r = sd_bus_call_async(bus_.bus(), &callSlot_, call, onAll, this, kAnswerMicroseconds);
        sd_bus_message_unref(call);
        if (r < 0) settle(Status::absent, "cannot ask " + service_);
    }
    void settle(Status status, std::string why) {
        status_ = status;
        why_ = std::move(why);
        if (status != Status::ready) properties_.clear();
        if (changed_) changed_();
    }
    static int onAll(sd_bus_message* reply, void* self, sd_bus_error*) {
        Watched& me = *static_cast<Watched*>(self);
        me.callSlot_ = sd_bus_slot_unref(me.callSlot_);
        if (const sd_bus_error* e = sd_bus_message_get_error(reply)) {
            me.settle(Status::absent, me.service_ + " is not on the system bus (" +
                                          std::string(e->message ? e->message : e->name) + ")");
            return 0;
        }
        Properties fresh;
        if (readProperties(reply, fresh) < 0) {
            me.settle(Status::absent, me.service_ + " answered with something else than properties");
            return 0;
        }
        me.properties_ = std::move(fresh);
        me.settle(Status::ready, {});
        return 0;
    }
    static int onChanged(sd_bus_message* signal, void* self, sd_bus_error*) {
        Watched& me = *static_cast<Watched*>(self);
        const char* interface = nullptr;
        if (sd_bus_message_read(signal, "s", &interface) < 0 || me.interface_ != interface) return 0;
        if (me.status_ != Status::ready) {
            // A service that came back but was not set up when first asked.
            if (!me.callSlot_) me.fetch();
            return 0;
        }
        if (readProperties(signal, me.properties_) >= 0 && me.changed_) me.changed_();
        return 0;
    }
    static int onOwner(sd_bus_message* signal, void* self, sd_bus_error*) {
        Watched& me = *static_cast<Watched*>(self);
        const char *name = nullptr, *previous = nullptr, *owner = nullptr;
        if (sd_bus_message_read(signal, "sss", &name, &previous, &owner) < 0 || me.service_ != name) return 0;
        if (owner && *owner) {
            me.status_ = Status::asking;
            me.fetch();
        } else {
            me.callSlot_ = sd_bus_slot_unref(me.callSlot_);
            me.settle(Status::absent, me.service_ + " left the system bus");
        }
        return 0;
    }

    desktop::BusConnection& bus_;
    std::string service_, path_, interface_;
    std::function<void()> changed_;
    Status status_ = Status::asking;
    std::string why_;
    Properties properties_;
    sd_bus_slot* callSlot_ = nullptr;
    sd_bus_slot* signalSlot_ = nullptr;
    sd_bus_slot* ownerSlot_ = nullptr;
};

using Status = Watched::Status;

BatteryState fromDisplayDevice(const Properties& device, const Properties& manager) {
    BatteryState s;
    if (!get(device, "IsPresent", false)) {
        s.present = false;
        s.level = 100;
        s.state = 2;
        return s;
    }
    s.level = std::clamp(int(std::lround(get(device, "Percentage", 0.0))), 0, 100);
    const bool onBattery = get(manager, "OnBattery", false);
    // UPower's states: 1 charging, 2 discharging, 3 empty, 4 fully charged,
    // 5 pending charge (plugged in, holding), 6 pending discharge.
    switch (get(device, "State", int64_t(0))) {
        case 1: s.state = 1; break;
        case 4: s.state = onBattery ? 0 : 2; break;
        case 5: s.state = 1; break;
        case 2: case 3: case 6: s.state = 0; break;
        default: s.state = onBattery ? 0 : 1;
    }
    const int64_t toEmpty = get(device, "TimeToEmpty", int64_t(0)), toFull = get(device, "TimeToFull", int64_t(0));
    s.secondsLeft = long(s.state == 0 ? toEmpty : s.state == 1 ? toFull : 0);
    if (s.secondsLeft < 0) s.secondsLeft = 0;
    s.watts = std::max(0.0, get(device, "EnergyRate", 0.0));
    return s;
}

class Desktop : public BatterySource {
public:
    Desktop(BatteryChoice choice, desktop::BusConnection* bus, const std::string& powerSupply, bool verbose)
        : choice_(choice), verbose_(verbose) {
        auto changed = [this] {
            if (changed_) changed_();
        };
        if (choice != BatteryChoice::upower) sysfs_ = systemBattery(powerSupply);
        if (bus && choice != BatteryChoice::sysfs) {
            device_ = std::make_unique<Watched>(*bus, "org.freedesktop.UPower", "/org/freedesktop/UPower/devices/DisplayDevice",
                                                "org.freedesktop.UPower.Device", changed);
            manager_ = std::make_unique<Watched>(*bus, "org.freedesktop.UPower", "/org/freedesktop/UPower",
                                                 "org.freedesktop.UPower", changed);
        }
        if (bus)
            profiles_ = std::make_unique<Watched>(*bus, "net.hadess.PowerProfiles", "/net/hadess/PowerProfiles",
                                                  "net.hadess.PowerProfiles", changed);
    }

    BatteryState read() override {
        BatteryState s;
        std::string from;
        if (upowerReady() || !sysfs_) {
            if (upowerReady()) s = fromDisplayDevice(device_->properties(), manager_->properties());
            from = "UPower's display device";
        } else {
            s = sysfs_->read();
            from = sysfs_->describe() + (!device_ ? std::string(choice_ == BatteryChoice::sysfs ? " (asked for)" : " (no system bus)")
                                                  : " (" + device_->why() + ")");
        }
        if (profiles_ && profiles_->status() == Status::ready) {
            s.lowPower = get(profiles_->properties(), "ActiveProfile", std::string()) == "power-saver";
            from += ", low power mode from power-profiles-daemon";
        }
        if (verbose_ && from != lastFrom_) std::fprintf(stderr, "ampora-statusbar: battery from %s\n", from.c_str());
        lastFrom_ = from;
        return s;
    }
    std::string unavailable() const override {
        if (pending()) return "waiting for UPower";
        if (upowerReady()) return {};
        if (!sysfs_) return device_ ? device_->why() : "no system bus for UPower";
        return sysfs_->unavailable();
    }
    bool pending() const override {
        return (device_ && device_->status() == Status::asking) || (manager_ && manager_->status() == Status::asking) ||
               (profiles_ && profiles_->status() == Status::asking);
    }
    void watch(notify::RunLoop& loop, std::function<void()> changed) override {
        changed_ = std::move(changed);
        if (sysfs_) sysfs_->watch(loop, [this] {
                // UPower, when there, has its own signals.
                if (!upowerReady() && changed_) changed_();
            });
    }
    std::string describe() const override {
        switch (choice_) {
            case BatteryChoice::upower: return "UPower";
            case BatteryChoice::sysfs: return sysfs_->describe();
            default: return "UPower, else " + sysfs_->describe();
        }
    }

private:
    bool upowerReady() const {
        return device_ && device_->status() == Status::ready && manager_->status() != Status::asking;
    }

    BatteryChoice choice_;
    bool verbose_;
    std::function<void()> changed_;
    std::unique_ptr<BatterySource> sysfs_;
    std::unique_ptr<Watched> device_, manager_, profiles_;
    std::string lastFrom_;
};

}  // namespace

std::unique_ptr<BatterySource> desktopBattery(BatteryChoice choice, desktop::BusConnection* systemBus, const std::string& powerSupply,
                                              bool verbose) {
    return std::make_unique<Desktop>(choice, systemBus, powerSupply, verbose);
}

}  // namespace statusbar
