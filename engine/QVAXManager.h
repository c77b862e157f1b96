#pragma once
// The engine singleton: a snapshot of the settings, the loaded theme script and
// the decisions made for each redraw of the battery icon.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"

namespace runtime {
class Object;
}
namespace webview {
struct EvaluationOutcome;
}

// The main color and the base (track) color of one redraw.
struct RenderColorSettings {
    graphics::Color color;
    graphics::Color baseColor;
};

class QVAXManager {
public:
    static QVAXManager& sharedManager();

    // Reads the settings at once, as the singleton does when it is first asked for.
    QVAXManager();

    void loadSettings();

    // Loads the named theme's script when enabled, falling back to "Ampora Connect".
    void setTheme(const std::string& name);
    static std::int64_t typeForScript(const std::string& script);

    RenderColorSettings createBatteryRenderColorSettingsForForegroundColor(const graphics::Color& foreground,
                                                                           bool charging, std::int32_t level,
                                                                           bool lowPowerMode) const;
    // The "(function...)(...)" line for the loaded theme, or nullopt when its type is unusable.
    std::optional<std::string> callStringForLoadedTheme(double height, std::int32_t level, bool charging,
                                                        bool lowPowerMode,
                                                        const RenderColorSettings& colors) const;
    // One battery state as the finished icon: theme for the level, colors, the
    // script's drawing at the main screen's scale, mirrored and padded. nullptr
    // when the theme gave no image.
    graphics::Image batteryImageWithForegoundColor(const graphics::Color& foreground, double height,
                                                   std::int32_t level, bool charging, bool lowMode);
    // The icon for a square tray slot `pixels` high: the theme in use at that
    // height when it draws about as wide as high (`wide` false), else the square
    // companion theme, unmirrored. nullptr when neither gives an image.
    graphics::Image trayImageWithForegroundColor(const graphics::Color& foreground, int pixels, std::int32_t level,
                                                 bool charging, bool lowMode, bool wide);
    // Why the last evaluation gave what it did, for tools that tell a person.
    static const webview::EvaluationOutcome& lastEvaluation();

    // lowLevel of the snapshot, or 20.
    std::int32_t lowLevel() const;

    const std::optional<foundation::PlistDictionary>& settings() const { return settings_; }

    const std::optional<std::string>& script() const { return _script; }
    void setScript(std::optional<std::string> v) { _script = std::move(v); }
    bool enabled() const { return _enabled; }
    void setEnabled(bool v) { _enabled = v; }
    bool secondaryEnabled() const { return _secondaryEnabled; }
    void setSecondaryEnabled(bool v) { _secondaryEnabled = v; }
    std::int32_t secondaryLimit() const { return _secondaryLimit; }
    void setSecondaryLimit(std::int32_t v) { _secondaryLimit = v; }
    bool flipY() const { return _flipY; }
    void setFlipY(bool v) { _flipY = v; }
    bool flipX() const { return _flipX; }
    void setFlipX(bool v) { _flipX = v; }
    bool flipSecondaryY() const { return _flipSecondaryY; }
    void setFlipSecondaryY(bool v) { _flipSecondaryY = v; }
    bool flipSecondaryX() const { return _flipSecondaryX; }
    void setFlipSecondaryX(bool v) { _flipSecondaryX = v; }
    bool showChargeSymbol() const { return _showChargeSymbol; }
    void setShowChargeSymbol(bool v) { _showChargeSymbol = v; }
    bool ignoreCharge() const { return _ignoreCharge; }
    void setIgnoreCharge(bool v) { _ignoreCharge = v; }
    bool useCustomLevel() const { return _useCustomLevel; }
    void setUseCustomLevel(bool v) { _useCustomLevel = v; }
    std::int32_t customLevel() const { return _customLevel; }
    void setCustomLevel(std::int32_t v) { _customLevel = v; }
    const std::string& theme() const { return _theme; }
    const std::string& secondaryTheme() const { return _secondaryTheme; }
    void setSecondaryTheme(std::string v) { _secondaryTheme = std::move(v); }
    const std::string& primaryTheme() const { return _primaryTheme; }
    void setPrimaryTheme(std::string v) { _primaryTheme = std::move(v); }
    const std::shared_ptr<runtime::Object>& batteryView() const { return _batteryView; }
    void setBatteryView(std::shared_ptr<runtime::Object> v) { _batteryView = std::move(v); }
    std::int64_t themeType() const { return _themeType; }
    void setThemeType(std::int64_t v) { _themeType = v; }

    bool usingSecondary() const { return _usingSecondary; }
private:
    struct KeptState;
    struct TrayCompanion {
        std::optional<std::string> script;  // nullopt: not installed or not usable
        std::int64_t type = 0;
    };
    TrayCompanion loadTrayCompanion();
    std::optional<TrayCompanion> trayCompanion_;  // read at the first wide tray image after loadSettings

    std::optional<foundation::PlistDictionary> settings_;
    bool _usingSecondary = false;
    bool _enabled = false;
    bool _secondaryEnabled = false;
    bool _flipY = false;
    bool _flipX = false;
    bool _flipSecondaryY = false;
    bool _flipSecondaryX = false;
    bool _showChargeSymbol = false;
    bool _ignoreCharge = false;
    bool _useCustomLevel = false;
    std::int32_t _secondaryLimit = 0;
    std::int32_t _customLevel = 0;
    std::optional<std::string> _script;
    std::string _theme;
    std::string _secondaryTheme;
    std::string _primaryTheme;
    std::shared_ptr<runtime::Object> _batteryView;
    std::int64_t _themeType = 0;

    // Primary or secondary theme for this level; re-reads the script only on a change of side.
    void switchThemeForLevel(std::int32_t level);
};
