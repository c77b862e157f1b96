#include "hosts/statusbar/BatterySummary.h"

#include <cmath>
#include <cstdio>

namespace statusbar {

namespace {
constexpr int kLowLevel = 20;

const char* stateWord(const BatteryState& state) {
    return state.state == 1 ? "charging" : state.state == 2 ? "full" : "discharging";
}
}  // namespace

std::string durationText(long seconds) {
    const long minutes = std::max(1L, (seconds + 30) / 60);
    if (minutes < 60) return std::to_string(minutes) + " min";
    return std::to_string(minutes / 60) + " h" + (minutes % 60 ? " " + std::to_string(minutes % 60) + " min" : "");
}

std::string timeText(const BatteryState& state) {
    if (!state.present || state.secondsLeft <= 0 || state.state == 2) return {};
    return durationText(state.secondsLeft) + (state.state == 0 ? " left" : " to full");
}

std::string batteryDescription(const BatteryState& state) {
    if (!state.present) return std::string("on mains power") + (state.lowPower ? ", low power mode" : "");
    std::string text = std::to_string(state.level) + " %, ";
    if (const std::string time = timeText(state); !time.empty()) text += time;
    else text += state.state == 0 ? "on battery" : stateWord(state);
    if (state.lowPower) text += ", low power mode";
    return text;
}

bool batteryIsLow(const BatteryState& state, int lowLevel) {
    return state.present && state.state == 0 && state.level <= lowLevel;
}
bool batteryIsLow(const BatteryState& state) { return batteryIsLow(state, kLowLevel); }

std::string waybarLine(const BatteryState& state) {
    // Every string here is our own, none needs escaping.
    std::string classes = std::string("\"") + (state.present ? stateWord(state) : "ac") + "\"";
    if (batteryIsLow(state)) classes += ", \"low\"";
    if (state.lowPower) classes += ", \"low-power\"";
    const std::string text = state.present ? std::to_string(state.level) + "%" : "on mains power";
    const std::string tooltip = state.present ? "Battery " + batteryDescription(state) : batteryDescription(state);
    std::string line = "{\"text\": \"" + text + "\", \"tooltip\": \"" + tooltip + "\", \"class\": [" + classes +
                       "], \"percentage\": " + std::to_string(state.level);
    if (const std::string time = timeText(state); !time.empty()) line += ", \"time\": \"" + time + "\"";
    if (state.watts > 0) {
        char watts[32];
        std::snprintf(watts, sizeof watts, "%.1f", state.watts);
        line += std::string(", \"power\": ") + watts;
    }
    return line + "}";
}

}  // namespace statusbar
