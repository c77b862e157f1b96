#pragma once
// The battery in words, for a tray's tooltip and a bar's text fallback.

#include <string>

#include "hosts/statusbar/power/BatterySource.h"

namespace statusbar {

// "57 %, charging", "100 %, full", "12 %, on battery, low power mode",
// "57 %, 2 h 10 min left", "40 %, 1 h 5 min to full", "on mains power".
std::string batteryDescription(const BatteryState& state);
// "2 h 10 min left" or "1 h 5 min to full"; empty when the time is unknown.
std::string timeText(const BatteryState& state);
// "45 min", "2 h", "2 h 10 min" (rounded to the minute, at least 1 min).
std::string durationText(long seconds);
// A battery that is there, unplugged and at or below `lowLevel` (20 unless given).
bool batteryIsLow(const BatteryState& state);
bool batteryIsLow(const BatteryState& state, int lowLevel);
// One line of JSON for waybar's custom module (return-type json).
std::string waybarLine(const BatteryState& state);

}  // namespace statusbar
