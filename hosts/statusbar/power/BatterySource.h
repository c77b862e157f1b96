#pragma once
// Where the host's battery data comes from: UPower on the system bus, Linux's
// power-supply class, a fixed simulated state, or a small text file a person
// or a test edits. Each source lives in a file of its own beside this one.

#include <functional>
#include <memory>
#include <string>

#include "platform/notify/RunLoop.h"

namespace desktop {
class BusConnection;
}

namespace statusbar {

struct BatteryState {
    int level = 100;
    int state = 0;  // 0 unplugged, 1 charging (plugged in), 2 full
    bool lowPower = false;
    // False on a machine with no system battery: it runs on mains, and the
    // level and state above are those of a full battery plugged in.
    bool present = true;
    // Seconds until empty (discharging) or full (charging); 0 when unknown.
    long secondsLeft = 0;
    // The batteries' power draw in watts; 0 when unknown.
    double watts = 0;
    bool operator==(const BatteryState&) const = default;
};

class BatterySource {
public:
    virtual ~BatterySource() = default;
    virtual BatteryState read() = 0;
    // Calls `changed` on the run loop when the source may have changed.
    virtual void watch(notify::RunLoop& loop, std::function<void()> changed) = 0;
    virtual std::string describe() const = 0;
    // Why there is no battery state to draw yet (empty once there is one).
    virtual std::string unavailable() const { return {}; }
    // Still waiting for a first answer from a peer (for at most a second or so).
    virtual bool pending() const { return false; }
};

// "57", "57:charging" or "100:full".
std::unique_ptr<BatterySource> simulatedBattery(const std::string& text);
// A file holding a level and optional words: "57 charging", "100 full", "12 lpm".
// Levels outside 0..100 are clamped; anything else keeps the last good state.
std::unique_ptr<BatterySource> batteryFile(const std::string& path);
// /sys/class/power_supply (or `root`), re-read on the kernel's power-supply
// events and every 30 seconds. Peripherals (scope "Device") are left out and
// several system batteries are combined by their energy.
std::unique_ptr<BatterySource> systemBattery(const std::string& root = "/sys/class/power_supply",
                                             const std::string& platformProfile = "/sys/firmware/acpi/platform_profile");

enum class BatteryChoice { automatic, upower, sysfs };
// UPower's display device and power-profiles-daemon on `systemBus` (may be
// null). `automatic` uses UPower while it is on the bus and the power-supply
// class otherwise, also when UPower leaves or has not answered within a second.
std::unique_ptr<BatterySource> desktopBattery(BatteryChoice choice, desktop::BusConnection* systemBus,
                                              const std::string& powerSupply, bool verbose);

// Parses a decimal level and state words; false when the text holds no level
// 0..100 (with `clamp`, any decimal level is brought into that range).
bool parseBatteryText(const std::string& text, BatteryState& state, bool clamp = false);

}  // namespace statusbar
