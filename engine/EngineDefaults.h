#pragma once
// What the engine assumes for keys the settings file does not hold.

namespace EngineDefaults {

inline constexpr const char* primaryTheme = "Ampora Connect";
inline constexpr const char* secondaryTheme = "Ampora LBI";
// Drawn in square tray slots when the theme in use is wide.
inline constexpr const char* trayCompanionTheme = "Ampora Ring";
inline constexpr int secondaryLimit = 10;
inline constexpr int lowLevel = 20;
inline constexpr double sharedAlpha = 0.3;

}  // namespace EngineDefaults
