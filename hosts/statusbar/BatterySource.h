#pragma once
// Where the host's battery data comes from: Linux's power-supply class, a
// fixed simulated state, or a small text file a person or a test edits.

#include <functional>
#include <memory>
#include <string>

#include "platform/notify/RunLoop.h"

namespace statusbar {

struct BatteryState {
    int level = 100;
    int state = 0;  // 0 unplugged, 1 charging (plugged in), 2 full
    bool lowPower = false;
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
};

// "57", "57:charging" or "100:full".
std::unique_ptr<BatterySource> simulatedBattery(const std::string& text);
// A file holding a level and optional words: "57 charging", "100 full", "12 lpm".
// Levels outside 0..100 are clamped; anything else keeps the last good state.
std::unique_ptr<BatterySource> batteryFile(const std::string& path);
// /sys/class/power_supply (or `root`), re-read on the kernel's power-supply
// events and every 30 seconds.
std::unique_ptr<BatterySource> systemBattery(const std::string& root = "/sys/class/power_supply");

// Parses a decimal level and state words; false when the text holds no level
// 0..100 (with `clamp`, any decimal level is brought into that range).
bool parseBatteryText(const std::string& text, BatteryState& state, bool clamp = false);

}  // namespace statusbar
