#include <utility>

#include "engine/EngineDefaults.h"
#include "engine/QVAXManager.h"

// Everything a call for another theme changes, put back when it ends.
struct QVAXManager::KeptState {
    explicit KeptState(QVAXManager& m)
        : manager(m), script(m._script), theme(m._theme), type(m._themeType), enabled(m._enabled),
          secondaryEnabled(m._secondaryEnabled), flipX(m._flipX), flipY(m._flipY), chargeSymbol(m._showChargeSymbol) {}
    ~KeptState() {
        manager._script = std::move(script);
        manager._theme = std::move(theme);
        manager._themeType = type;
        manager._enabled = enabled;
        manager._secondaryEnabled = secondaryEnabled;
        manager._flipX = flipX;
        manager._flipY = flipY;
        manager._showChargeSymbol = chargeSymbol;
    }
    QVAXManager& manager;
    std::optional<std::string> script;
    std::string theme;
    std::int64_t type;
    bool enabled, secondaryEnabled, flipX, flipY, chargeSymbol;
};

QVAXManager::TrayCompanion QVAXManager::loadTrayCompanion() {
    // Loaded as the primary theme is, so it is checked the same way.
    KeptState kept(*this);
    setTheme(EngineDefaults::trayCompanionTheme);
    // A missing companion falls back to another theme, which is no square.
    if (!_enabled || !_script || _theme != EngineDefaults::trayCompanionTheme) return {};
    return {_script, _themeType};
}

graphics::Image QVAXManager::trayImageWithForegroundColor(const graphics::Color& foreground, int pixels,
                                                          std::int32_t level, bool charging, bool lowMode, bool wide) {
    if (!wide) return batteryImageWithForegoundColor(foreground, pixels, level, charging, lowMode);
    // Read once per settings load: a tray asks for several sizes at every redraw.
    if (!trayCompanion_) trayCompanion_ = loadTrayCompanion();
    if (!trayCompanion_->script) return nullptr;

    // Drawn with the engine's own path, as if it were the primary theme for one call.
    KeptState kept(*this);
    _script = trayCompanion_->script;
    _themeType = trayCompanion_->type;
    _secondaryEnabled = false;
    _flipX = _flipY = false;
    _showChargeSymbol = false;  // the companion draws its own charging mark
    return batteryImageWithForegoundColor(foreground, pixels, level, charging, lowMode);
}
