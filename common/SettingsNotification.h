#pragma once

// Posted after the settings file changed; the plug-in reloads when it hears it.
inline constexpr const char* kSettingsChangedNotification = "com.kelvary.ampora.settingsChanged";
