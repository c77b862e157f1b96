#include "hosts/statusbar/BatterySummary.h"

namespace statusbar {

namespace {
constexpr int kLowLevel = 20;

const char* stateWord(const BatteryState& state) {
    return state.state == 1 ? "charging" : state.state == 2 ? "full" : "discharging";
}
}  // namespace

std::string batteryDescription(const BatteryState& state) {
    std::string text = std::to_string(state.level) + " %, ";
    text += state.state == 0 ? "on battery" : stateWord(state);
    if (state.lowPower) text += ", low power mode";
    return text;
}

bool batteryIsLow(const BatteryState& state) { return state.state == 0 && state.level <= kLowLevel; }

std::string waybarLine(const BatteryState& state) {
    // Every string here is our own, none needs escaping.
    std::string classes = std::string("\"") + stateWord(state) + "\"";
    if (batteryIsLow(state)) classes += ", \"low\"";
    if (state.lowPower) classes += ", \"low-power\"";
    return "{\"text\": \"" + std::to_string(state.level) + "%\", \"tooltip\": \"Battery " + batteryDescription(state) +
           "\", \"class\": [" + classes + "], \"percentage\": " + std::to_string(state.level) + "}";
}

}  // namespace statusbar
