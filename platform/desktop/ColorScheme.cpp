#include "platform/desktop/ColorScheme.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace desktop {

namespace {

constexpr const char* kNamespace = "org.freedesktop.appearance";
constexpr const char* kKey = "color-scheme";

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string trimmed(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r\""), end = s.find_last_not_of(" \t\r\"");
    return begin == std::string::npos ? "" : s.substr(begin, end - begin + 1);
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// $XDG_CONFIG_HOME, then each of $XDG_CONFIG_DIRS, with their defaults.
std::vector<std::string> configFolders() {
    std::vector<std::string> folders;
    if (const std::string home = env("XDG_CONFIG_HOME"); !home.empty()) folders.push_back(home);
    else if (const std::string user = env("HOME"); !user.empty()) folders.push_back(user + "/.config");
    std::istringstream dirs(env("XDG_CONFIG_DIRS").empty() ? "/etc/xdg" : env("XDG_CONFIG_DIRS"));
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty()) folders.push_back(dir);
    return folders;
}

bool xfceSession() { return lower(env("XDG_CURRENT_DESKTOP")).find("xfce") != std::string::npos; }

constexpr const char* kXfceChannel = "xsettings";
constexpr const char* kXfceThemeProperty = "/Net/ThemeName";

ThemeChoice xfceChoice(const std::string& name) { return {colorSchemeOfThemeName(name), "Xfce's theme " + name}; }

// The theme name in xfconfd's reply or signal: a variant holding a string.
std::optional<std::string> xfconfThemeName(sd_bus_message* m) {
    const char* name = nullptr;
    if (sd_bus_message_read(m, "v", "s", &name) < 0 || !name || !*name) return std::nullopt;
    return std::string(name);
}

// Xfce keeps its theme in xfconf, which writes this channel file.
std::optional<std::string> xfceThemeName(const std::string& folder) {
    std::ifstream in(folder + "/xfce4/xfconf/xfce-perchannel-xml/xsettings.xml");
    for (std::string line; std::getline(in, line);) {
        if (line.find("name=\"ThemeName\"") == std::string::npos) continue;
        const auto at = line.find("value=\"");
        if (at == std::string::npos) continue;
        const auto end = line.find('"', at + 7);
        if (end != std::string::npos && end > at + 7) return line.substr(at + 7, end - at - 7);
    }
    return std::nullopt;
}

std::optional<ThemeChoice> gtkSettingsChoice(const std::string& path) {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::optional<ThemeChoice> byName;
    bool inSettings = false;
    for (std::string line; std::getline(in, line);) {
        line = trimmed(line);
        if (!line.empty() && line[0] == '[') inSettings = line == "[Settings]";
        const auto eq = line.find('=');
        if (!inSettings || eq == std::string::npos) continue;
        const std::string key = trimmed(line.substr(0, eq)), value = trimmed(line.substr(eq + 1));
        if (key == "gtk-application-prefer-dark-theme" && (value == "1" || lower(value) == "true"))
            return ThemeChoice{ColorScheme::dark, path + ": " + key + "=" + value};
        if (key == "gtk-theme-name" && !value.empty())
            byName = ThemeChoice{colorSchemeOfThemeName(value), path + ": " + key + "=" + value};
    }
    return byName;
}

// A value of the portal: a variant holding a number, or (Read of old portals)
// a variant holding a variant holding it.
std::optional<unsigned> readSchemeValue(sd_bus_message* m) {
    for (int depth = 0; depth < 3; ++depth) {
        char type = 0;
        const char* contents = nullptr;
        if (sd_bus_message_peek_type(m, &type, &contents) <= 0) return std::nullopt;
        if (type == 'v') {
            if (sd_bus_message_enter_container(m, 'v', contents) < 0) return std::nullopt;
        } else if (type == 'u' || type == 'i') {
            uint32_t value = 0;
            if (sd_bus_message_read_basic(m, type, &value) < 0) return std::nullopt;
            return value;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

const char* colorSchemeName(ColorScheme scheme) { return scheme == ColorScheme::dark ? "dark" : "light"; }

ColorScheme colorSchemeOfThemeName(const std::string& name) {
    const std::string n = lower(trimmed(name));
    const bool dark = (n.size() >= 5 && n.compare(n.size() - 5, 5, "-dark") == 0) ||
                      (n.size() >= 5 && n.compare(n.size() - 5, 5, ":dark") == 0);
    return dark ? ColorScheme::dark : ColorScheme::light;
}

std::optional<ThemeChoice> gtkThemeChoice() {
    if (const std::string theme = env("GTK_THEME"); !theme.empty())
        return ThemeChoice{colorSchemeOfThemeName(theme), "GTK_THEME=" + theme};
    const std::vector<std::string> folders = configFolders();
    if (xfceSession())
        for (const auto& folder : folders)
            if (auto name = xfceThemeName(folder)) return xfceChoice(*name);
    for (const char* gtk : {"gtk-4.0", "gtk-3.0"})
        for (const auto& folder : folders)
            if (auto choice = gtkSettingsChoice(folder + "/" + gtk + "/settings.ini")) return choice;
    return std::nullopt;
}

ColorSchemeWatch::ColorSchemeWatch(sd_bus* bus, Listener changed, ColorScheme fallback)
    : bus_(bus), changed_(std::move(changed)), fallback_(fallback), gtk_(gtkThemeChoice()) {
    if (!bus_) return;
    // The match goes first, so that no change between it and the read is missed.
    sd_bus_match_signal_async(bus_, &signalSlot_, kPortal, kPortalPath, kSettings, "SettingChanged", onSettingChanged,
                              nullptr, this);
    read("ReadOne");
    // GTK_THEME is the person's word for this program alone: it outranks Xfce's.
    if (xfceSession() && env("GTK_THEME").empty()) watchXfconf();
}

ColorSchemeWatch::~ColorSchemeWatch() {
    sd_bus_slot_unref(readSlot_);
    sd_bus_slot_unref(signalSlot_);
    sd_bus_slot_unref(xfconfReadSlot_);
    for (sd_bus_slot* slot : xfconfSignalSlots_) sd_bus_slot_unref(slot);
}

void ColorSchemeWatch::watchXfconf() {
    sd_bus_match_signal_async(bus_, &xfconfSignalSlots_[0], nullptr, kXfconfPath, kXfconf, "PropertyChanged",
                              onXfconfChanged, nullptr, this);
    sd_bus_match_signal_async(bus_, &xfconfSignalSlots_[1], nullptr, kXfconfPath, kXfconf, "PropertyRemoved",
                              onXfconfChanged, nullptr, this);
    // Asked without starting xfconfd: a session without it keeps the files' word.
    sd_bus_message* call = nullptr;
    if (sd_bus_message_new_method_call(bus_, &call, kXfconf, kXfconfPath, kXfconf, "GetProperty") >= 0 &&
        sd_bus_message_append(call, "ss", kXfceChannel, kXfceThemeProperty) >= 0 &&
        sd_bus_message_set_auto_start(call, 0) >= 0 &&
        sd_bus_call_async(bus_, &xfconfReadSlot_, call, onXfconfRead, this, 0) < 0)
        xfconfReadSlot_ = nullptr;
    sd_bus_message_unref(call);
}

int ColorSchemeWatch::onXfconfRead(sd_bus_message* reply, void* self, sd_bus_error*) {
    auto& me = *static_cast<ColorSchemeWatch*>(self);
    me.xfconfReadSlot_ = sd_bus_slot_unref(me.xfconfReadSlot_);
    // No xfconfd, or no theme set in it: the files stand.
    me.xfconfSays(sd_bus_message_get_error(reply) ? std::nullopt : xfconfThemeName(reply));
    return 0;
}

int ColorSchemeWatch::onXfconfChanged(sd_bus_message* signal, void* self, sd_bus_error*) {
    const char *channel = nullptr, *property = nullptr;
    if (sd_bus_message_read(signal, "ss", &channel, &property) < 0 || std::strcmp(channel, kXfceChannel) != 0 ||
        std::strcmp(property, kXfceThemeProperty) != 0)
        return 0;
    const bool removed = !std::strcmp(sd_bus_message_get_member(signal), "PropertyRemoved");
    static_cast<ColorSchemeWatch*>(self)->xfconfSays(removed ? std::nullopt : xfconfThemeName(signal));
    return 0;
}

void ColorSchemeWatch::xfconfSays(std::optional<std::string> themeName) {
    const ColorScheme before = scheme();
    xfconf_ = themeName ? std::optional(xfceChoice(*themeName)) : std::nullopt;
    tellIfChanged(before);
}

void ColorSchemeWatch::tellIfChanged(ColorScheme before) {
    if (scheme() != before && changed_) changed_(scheme());
}

void ColorSchemeWatch::read(const char* method) {
    readOne_ = !std::strcmp(method, "ReadOne");
    sd_bus_slot_unref(readSlot_);
    readSlot_ = nullptr;
    if (sd_bus_call_method_async(bus_, &readSlot_, kPortal, kPortalPath, kSettings, method, onRead, this, "ss",
                                 kNamespace, kKey) < 0)
        readSlot_ = nullptr;
}

int ColorSchemeWatch::onRead(sd_bus_message* reply, void* self, sd_bus_error*) {
    auto& me = *static_cast<ColorSchemeWatch*>(self);
    me.readSlot_ = sd_bus_slot_unref(me.readSlot_);
    if (const sd_bus_error* e = sd_bus_message_get_error(reply)) {
        // Portals before ReadOne have only Read.
        if (me.readOne_ && sd_bus_error_has_name(e, SD_BUS_ERROR_UNKNOWN_METHOD)) {
            me.read("Read");
            return 0;
        }
        me.portalSays(std::nullopt);
        return 0;
    }
    me.portalSays(readSchemeValue(reply));
    return 0;
}

int ColorSchemeWatch::onSettingChanged(sd_bus_message* signal, void* self, sd_bus_error*) {
    const char *space = nullptr, *key = nullptr;
    if (sd_bus_message_read(signal, "ss", &space, &key) < 0 || std::strcmp(space, kNamespace) != 0 ||
        std::strcmp(key, kKey) != 0)
        return 0;
    static_cast<ColorSchemeWatch*>(self)->portalSays(readSchemeValue(signal));
    return 0;
}

void ColorSchemeWatch::portalSays(std::optional<unsigned> value) {
    const ColorScheme before = scheme();
    portal_ = value == 1u ? std::optional(ColorScheme::dark)
              : value == 2u ? std::optional(ColorScheme::light)
                            : std::nullopt;
    // A person may have changed the GTK theme along with the scheme.
    if (!portal_) gtk_ = gtkThemeChoice();
    tellIfChanged(before);
}

ColorScheme ColorSchemeWatch::scheme() const {
    if (portal_) return *portal_;
    if (xfconf_) return xfconf_->scheme;
    return gtk_ ? gtk_->scheme : fallback_;
}

std::string ColorSchemeWatch::source() const {
    if (portal_) return "the desktop portal's color-scheme";
    if (xfconf_) return xfconf_->from;
    if (gtk_) return gtk_->from;
    return "the default";
}

}  // namespace desktop
