#include <utility>

#include "engine/EngineDefaults.h"
#include "engine/QVAXManager.h"

graphics::Image QVAXManager::trayImageWithForegroundColor(const graphics::Color& foreground, int pixels,
                                                          std::int32_t level, bool charging, bool lowMode, bool wide) {
    if (!wide) return batteryImageWithForegoundColor(foreground, pixels, level, charging, lowMode);

    // The companion is drawn with the engine's own path, as if it were the
    // primary theme for one call; everything the status bar relies on is put back.
    struct Saved {
        std::optional<std::string> script;
        std::string theme;
        std::int64_t type;
        bool enabled, secondaryEnabled, flipX, flipY, chargeSymbol;
    } saved{_script, _theme, _themeType, _enabled, _secondaryEnabled, _flipX, _flipY, _showChargeSymbol};
    _secondaryEnabled = false;
    _flipX = _flipY = false;
    _showChargeSymbol = false;  // the companion draws its own charging mark
    setTheme(EngineDefaults::trayCompanionTheme);
    graphics::Image image;
    // A missing companion falls back to another theme, which is no square.
    if (_enabled && _script && _theme == EngineDefaults::trayCompanionTheme)
        image = batteryImageWithForegoundColor(foreground, pixels, level, charging, lowMode);
    _script = std::move(saved.script);
    _theme = std::move(saved.theme);
    _themeType = saved.type;
    _enabled = saved.enabled;
    _secondaryEnabled = saved.secondaryEnabled;
    _flipX = saved.flipX;
    _flipY = saved.flipY;
    _showChargeSymbol = saved.chargeSymbol;
    return image;
}
