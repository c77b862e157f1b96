#pragma once
// The battery in words, for a tray's tooltip and a bar's text fallback.

#include <string>

#include "hosts/statusbar/BatterySource.h"

namespace statusbar {

// "57 %, charging", "100 %, full", "12 %, on battery, low power mode".
std::string batteryDescription(const BatteryState& state);
// Low and unplugged: the level at which the stock battery turns red.
bool batteryIsLow(const BatteryState& state);
// One line of JSON for waybar's custom module (return-type json).
std::string waybarLine(const BatteryState& state);

}  // namespace statusbar
