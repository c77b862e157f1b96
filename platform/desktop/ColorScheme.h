#pragma once
// Whether the desktop is dark or light, as a person set it: the XDG desktop
// portal's org.freedesktop.appearance "color-scheme", followed as it changes;
// when the portal has no preference (or there is no portal), the GTK theme the
// desktop names (on Xfce asked of xfconfd and followed as it changes); failing
// both, a fallback: dark for panels, which most desktops' are, light for windows.
// Works on a session-bus connection someone else drives; nothing here waits
// on the portal.

#include <systemd/sd-bus.h>

#include <functional>
#include <optional>
#include <string>

namespace desktop {

enum class ColorScheme { dark, light };

// "dark" or "light".
const char* colorSchemeName(ColorScheme scheme);

// A GTK theme name as GTK_THEME or a settings file gives it: "Adwaita-dark" and
// "Adwaita:dark" are dark, any other name light.
ColorScheme colorSchemeOfThemeName(const std::string& name);

struct ThemeChoice {
    ColorScheme scheme;
    std::string from;  // where it was read, for a person: "GTK_THEME=Adwaita:dark"
};
// The GTK theme of the session: GTK_THEME, then on Xfce its xsettings channel,
// then GTK 4's and GTK 3's settings.ini (gtk-application-prefer-dark-theme, then
// gtk-theme-name), in $XDG_CONFIG_HOME before $XDG_CONFIG_DIRS. None when
// nothing names one. (gsettings is not asked: it answers its default
// "Adwaita" also on desktops that never set it.)
std::optional<ThemeChoice> gtkThemeChoice();

class ColorSchemeWatch {
public:
    static constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
    static constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* kSettings = "org.freedesktop.portal.Settings";
    static constexpr const char* kXfconf = "org.xfce.Xfconf";
    static constexpr const char* kXfconfPath = "/org/xfce/Xfconf";

    // Told whenever the scheme in force changes, after the first answer.
    using Listener = std::function<void(ColorScheme)>;
    // `bus` may be null: then only the GTK theme and the fallback count.
    ColorSchemeWatch(sd_bus* bus, Listener changed, ColorScheme fallback = ColorScheme::dark);
    ~ColorSchemeWatch();
    ColorSchemeWatch(const ColorSchemeWatch&) = delete;
    ColorSchemeWatch& operator=(const ColorSchemeWatch&) = delete;

    // True until the portal (and on Xfce xfconfd) answered the first read, or failed to.
    bool pending() const { return readSlot_ != nullptr || xfconfReadSlot_ != nullptr; }
    ColorScheme scheme() const;
    // Where scheme() comes from, for a person: "the desktop portal", "GTK_THEME=…", "the default".
    std::string source() const;

private:
    static int onRead(sd_bus_message* reply, void* self, sd_bus_error*);
    static int onSettingChanged(sd_bus_message* signal, void* self, sd_bus_error*);
    void read(const char* method);
    // The portal's value: 1 prefers dark, 2 light, anything else no preference.
    void portalSays(std::optional<unsigned> value);
    static int onXfconfRead(sd_bus_message* reply, void* self, sd_bus_error*);
    static int onXfconfChanged(sd_bus_message* signal, void* self, sd_bus_error*);
    void watchXfconf();
    // Xfce's theme name as xfconfd holds it; none when it holds none.
    void xfconfSays(std::optional<std::string> themeName);
    void tellIfChanged(ColorScheme before);

    sd_bus* bus_;
    Listener changed_;
    ColorScheme fallback_;
    std::optional<ColorScheme> portal_;
    std::optional<ThemeChoice> gtk_;
    // Newer than gtk_ on Xfce: xfconfd writes its files only now and then.
    std::optional<ThemeChoice> xfconf_;
    bool readOne_ = false;  // the read under way is ReadOne
    sd_bus_slot* readSlot_ = nullptr;
    sd_bus_slot* signalSlot_ = nullptr;
    sd_bus_slot* xfconfReadSlot_ = nullptr;
    sd_bus_slot* xfconfSignalSlots_[2] = {nullptr, nullptr};
};

}  // namespace desktop
