#include "hosts/statusbar/TrayMenu.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "common/SettingsNotification.h"
#include "hosts/statusbar/BatterySummary.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/KeyCatalogue.h"
#include "settings/model/PreferenceStore.h"
#include "settings/pages/ThemeFolder.h"

namespace statusbar {

namespace {

enum : int32_t { kRoot = 0, kSettings = 1, kBatteryLine = 2, kThemes = 3, kSeparator = 4, kQuit = 5, kFirstTheme = 100 };

TrayMenu& menu(void* self) { return *static_cast<TrayMenu*>(self); }

// Labels mark their access key with "_"; a theme's own underscores are letters.
std::string literalLabel(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '_' ? std::string("__") : std::string(1, c);
    return out;
}

// The theme the pages show as selected: the stored one, else their default.
std::string selectedTheme() {
    if (const auto stored = getPreferenceValueForKey(foundation::settingsFilePath(), "theme")) {
        const std::string* name = stored->asString();
        return name ? *name : "";
    }
    const KeyCatalogue::Entry* entry = KeyCatalogue::entryForKey("theme");
    const std::string* name = entry && entry->pageDefault ? entry->pageDefault->asString() : nullptr;
    return name ? *name : "";
}

bool wanted(const std::vector<std::string>& names, const std::string& name) {
    return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<std::string> readNames(sd_bus_message* m, int& r) {
    char** strv = nullptr;
    std::vector<std::string> names;
    if ((r = sd_bus_message_read_strv(m, &strv)) < 0) return names;
    for (char** s = strv; s && *s; ++s) {
        names.emplace_back(*s);
        std::free(*s);
    }
    std::free(strv);
    return names;
}

std::vector<int32_t> readIds(sd_bus_message* m, int& r) {
    const void* data = nullptr;
    size_t size = 0;
    if ((r = sd_bus_message_read_array(m, 'i', &data, &size)) < 0) return {};
    const auto* ids = static_cast<const int32_t*>(data);
    return std::vector<int32_t>(ids, ids + size / sizeof(int32_t));
}

}  // namespace

const sd_bus_vtable TrayMenu::kVTable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Version", "u", getVersion, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("TextDirection", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Status", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconThemePath", "as", getIconThemePath, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_METHOD("GetLayout", "iias", "u(ia{sv}av)", onGetLayout, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("GetGroupProperties", "aias", "a(ia{sv})", onGetGroupProperties, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("GetProperty", "is", "v", onGetProperty, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Event", "isvu", "", onEvent, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("EventGroup", "a(isvu)", "ai", onEventGroup, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("AboutToShow", "i", "b", onAboutToShow, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("AboutToShowGroup", "ai", "aiai", onAboutToShowGroup, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_SIGNAL("ItemsPropertiesUpdated", "a(ia{sv})a(ias)", 0),
    SD_BUS_SIGNAL("LayoutUpdated", "ui", 0),
    SD_BUS_SIGNAL("ItemActivationRequested", "iu", 0),
    SD_BUS_VTABLE_END};

TrayMenu::TrayMenu(desktop::BusConnection& connection, Actions actions, bool verbose)
    : connection_(connection), actions_(std::move(actions)), verbose_(verbose), nextThemeId_(kFirstTheme) {
    sd_bus_add_object_vtable(connection_.bus(), &objectSlot_, kObjectPath, kInterface, kVTable, this);
    refresh();
}

TrayMenu::~TrayMenu() { sd_bus_slot_unref(objectSlot_); }

void TrayMenu::update(const BatteryState& battery) {
    const std::string line = batteryDescription(battery);
    // The first line is in the first layout any tray reads.
    if (line != batteryLine_ && !std::exchange(batteryLine_, line).empty()) announceBatteryLine();
    if (refresh()) announceLayout();
}

void TrayMenu::announceBatteryLine() {
    sd_bus* bus = connection_.bus();
    sd_bus_message* signal = nullptr;
    int r = sd_bus_message_new_signal(bus, &signal, kObjectPath, kInterface, "ItemsPropertiesUpdated");
    if (r >= 0) r = sd_bus_message_open_container(signal, 'a', "(ia{sv})");
    if (r >= 0) r = sd_bus_message_open_container(signal, 'r', "ia{sv}");
    if (r >= 0) r = sd_bus_message_append(signal, "i", int32_t(kBatteryLine));
    if (r >= 0) r = sd_bus_message_append(signal, "a{sv}", 1, "label", "s", batteryLine_.c_str());
    if (r >= 0) r = sd_bus_message_close_container(signal);
    if (r >= 0) r = sd_bus_message_close_container(signal);
    if (r >= 0) r = sd_bus_message_append(signal, "a(ias)", 0);
    if (r >= 0) sd_bus_send(bus, signal, nullptr);
    sd_bus_message_unref(signal);
}

void TrayMenu::announceLayout() {
    sd_bus_emit_signal(connection_.bus(), kObjectPath, kInterface, "LayoutUpdated", "ui", revision_, int32_t(kRoot));
}

bool TrayMenu::refresh() {
    std::vector<std::string> themes = ThemeFolder::installedThemes();
    // A name that is no file name of the folder could not be stored anyway.
    std::erase_if(themes, [](const std::string& name) { return !foundation::isSafeThemeName(name); });
    std::string selected = selectedTheme();
    if (themes == themes_ && selected == selected_) return false;
    themes_ = std::move(themes);
    selected_ = std::move(selected);
    ++revision_;
    return true;
}

int32_t TrayMenu::themeId(const std::string& name) {
    const auto [it, added] = themeIds_.try_emplace(name, nextThemeId_);
    if (added) ++nextThemeId_;
    return it->second;
}

TrayMenu::Entry TrayMenu::tree() {
    Entry themes{kThemes, {{"label", "Theme"}}, {}};
    if (themes_.empty()) themes.properties.emplace_back("enabled", false);
    else themes.properties.emplace_back("children-display", "submenu");
    for (const auto& name : themes_)
        themes.children.push_back({themeId(name),
                                   {{"label", literalLabel(name)},
                                    {"toggle-type", "radio"},
                                    {"toggle-state", int32_t(name == selected_ ? 1 : 0)}},
                                   {}});
    Entry root{kRoot, {{"children-display", "submenu"}}, {}};
    root.children.push_back({kSettings, {{"label", "Settings\u2026"}}, {}});
    root.children.push_back({kBatteryLine, {{"label", batteryLine_}, {"enabled", false}}, {}});
    root.children.push_back(std::move(themes));
    root.children.push_back({kSeparator, {{"type", "separator"}}, {}});
    root.children.push_back({kQuit, {{"label", "Quit"}}, {}});
    return root;
}

const TrayMenu::Entry* TrayMenu::find(const Entry& entry, int32_t id) {
    if (entry.id == id) return &entry;
    for (const auto& child : entry.children)
        if (const Entry* found = find(child, id)) return found;
    return nullptr;
}

namespace {

int appendValue(sd_bus_message* m, const std::variant<std::string, bool, int32_t>& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return sd_bus_message_append(m, "v", "s", s->c_str());
    if (const auto* b = std::get_if<bool>(&value)) return sd_bus_message_append(m, "v", "b", int(*b));
    return sd_bus_message_append(m, "v", "i", std::get<int32_t>(value));
}

template <class Entry>
int appendProperties(sd_bus_message* m, const Entry& entry, const std::vector<std::string>& names) {
    int r = sd_bus_message_open_container(m, 'a', "{sv}");
    for (const auto& [name, value] : entry.properties) {
        if (r < 0) return r;
        if (!wanted(names, name)) continue;
        if ((r = sd_bus_message_open_container(m, 'e', "sv")) < 0) return r;
        if ((r = sd_bus_message_append(m, "s", name.c_str())) < 0) return r;
        if ((r = appendValue(m, value)) < 0) return r;
        r = sd_bus_message_close_container(m);
    }
    return r < 0 ? r : sd_bus_message_close_container(m);
}

// `depth` -1: every level below; 0: the entry alone.
template <class Entry>
int appendLayout(sd_bus_message* m, const Entry& entry, int depth, const std::vector<std::string>& names) {
    int r = sd_bus_message_open_container(m, 'r', "ia{sv}av");
    if (r >= 0) r = sd_bus_message_append(m, "i", entry.id);
    if (r >= 0) r = appendProperties(m, entry, names);
    if (r >= 0) r = sd_bus_message_open_container(m, 'a', "v");
    if (depth != 0)
        for (const auto& child : entry.children) {
            if (r < 0) return r;
            if ((r = sd_bus_message_open_container(m, 'v', "(ia{sv}av)")) < 0) return r;
            if ((r = appendLayout(m, child, depth < 0 ? -1 : depth - 1, names)) < 0) return r;
            r = sd_bus_message_close_container(m);
        }
    if (r >= 0) r = sd_bus_message_close_container(m);
    return r < 0 ? r : sd_bus_message_close_container(m);
}

int unknownItem(sd_bus_error* error, int32_t id) {
    return sd_bus_error_setf(error, SD_BUS_ERROR_INVALID_ARGS, "the menu has no item %d", int(id));
}

}  // namespace

int TrayMenu::onGetLayout(sd_bus_message* call, void* self, sd_bus_error* error) {
    TrayMenu& me = menu(self);
    int32_t parent = 0, depth = -1;
    int r = sd_bus_message_read(call, "ii", &parent, &depth);
    const std::vector<std::string> names = readNames(call, r);
    if (r < 0) return r;
    // A tray that keeps its copy until told otherwise still gets the folder as it is now.
    me.refresh();
    const Entry root = me.tree();
    const Entry* entry = find(root, parent);
    if (!entry) return unknownItem(error, parent);
    sd_bus_message* reply = nullptr;
    if ((r = sd_bus_message_new_method_return(call, &reply)) < 0) return r;
    r = sd_bus_message_append(reply, "u", me.revision_);
    if (r >= 0) r = appendLayout(reply, *entry, depth, names);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
}

int TrayMenu::onGetGroupProperties(sd_bus_message* call, void* self, sd_bus_error*) {
    int r = 0;
    const std::vector<int32_t> ids = readIds(call, r);
    if (r < 0) return r;
    const std::vector<std::string> names = readNames(call, r);
    if (r < 0) return r;
    const Entry root = menu(self).tree();
    sd_bus_message* reply = nullptr;
    if ((r = sd_bus_message_new_method_return(call, &reply)) < 0) return r;
    r = sd_bus_message_open_container(reply, 'a', "(ia{sv})");
    // Ids the menu does not have are left out, as the interface allows.
    auto add = [&](const Entry& entry) {
        if (r >= 0) r = sd_bus_message_open_container(reply, 'r', "ia{sv}");
        if (r >= 0) r = sd_bus_message_append(reply, "i", entry.id);
        if (r >= 0) r = appendProperties(reply, entry, names);
        if (r >= 0) r = sd_bus_message_close_container(reply);
    };
    for (const int32_t id : ids)
        if (const Entry* entry = find(root, id)) add(*entry);
    if (r >= 0) r = sd_bus_message_close_container(reply);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
}

int TrayMenu::onGetProperty(sd_bus_message* call, void* self, sd_bus_error* error) {
    int32_t id = 0;
    const char* name = nullptr;
    if (const int r = sd_bus_message_read(call, "is", &id, &name); r < 0) return r;
    const Entry root = menu(self).tree();
    const Entry* entry = find(root, id);
    if (!entry) return unknownItem(error, id);
    for (const auto& [property, value] : entry->properties) {
        if (property != name) continue;
        sd_bus_message* reply = nullptr;
        int r = sd_bus_message_new_method_return(call, &reply);
        if (r >= 0) r = appendValue(reply, value);
        if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
        sd_bus_message_unref(reply);
        return r;
    }
    return sd_bus_error_setf(error, SD_BUS_ERROR_INVALID_ARGS, "menu item %d has no property %s", int(id), name);
}

namespace {
// One event of a call: the data it carries is of no use to this menu.
int readEvent(sd_bus_message* m, int32_t& id, std::string& event) {
    const char* name = nullptr;
    uint32_t timestamp = 0;
    int r = sd_bus_message_read(m, "is", &id, &name);
    if (r >= 0) r = sd_bus_message_skip(m, "v");
    if (r >= 0) r = sd_bus_message_read(m, "u", &timestamp);
    if (r >= 0) event = name ? name : "";
    return r;
}
}  // namespace

int TrayMenu::onEvent(sd_bus_message* call, void* self, sd_bus_error* error) {
    TrayMenu& me = menu(self);
    int32_t id = 0;
    std::string event;
    if (const int r = readEvent(call, id, event); r < 0) return r;
    if (!find(me.tree(), id)) return unknownItem(error, id);
    // Answer first: the click must not wait on what it starts.
    const int r = sd_bus_reply_method_return(call, nullptr);
    if (event == "clicked") me.activate(id);
    return r;
}

int TrayMenu::onEventGroup(sd_bus_message* call, void* self, sd_bus_error* error) {
    TrayMenu& me = menu(self);
    const Entry root = me.tree();
    std::vector<int32_t> clicked, unknown;
    int r = sd_bus_message_enter_container(call, 'a', "(isvu)");
    while (r >= 0 && (r = sd_bus_message_enter_container(call, 'r', "isvu")) > 0) {
        int32_t id = 0;
        std::string event;
        if ((r = readEvent(call, id, event)) < 0) break;
        if (!find(root, id)) unknown.push_back(id);
        else if (event == "clicked") clicked.push_back(id);
        r = sd_bus_message_exit_container(call);
    }
    if (r >= 0) r = sd_bus_message_exit_container(call);
    if (r < 0) return r;
    if (clicked.empty() && !unknown.empty()) return unknownItem(error, unknown.front());
    sd_bus_message* reply = nullptr;
    if ((r = sd_bus_message_new_method_return(call, &reply)) < 0) return r;
    r = sd_bus_message_append_array(reply, 'i', unknown.data(), unknown.size() * sizeof(int32_t));
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    for (const int32_t id : clicked) me.activate(id);
    return r;
}

int TrayMenu::onAboutToShow(sd_bus_message* call, void* self, sd_bus_error* error) {
    TrayMenu& me = menu(self);
    int32_t id = 0;
    if (const int r = sd_bus_message_read(call, "i", &id); r < 0) return r;
    if (!find(me.tree(), id)) return unknownItem(error, id);
    // Usually unchanged: every redraw already told the tray what changed.
    return sd_bus_reply_method_return(call, "b", int(me.refresh()));
}

int TrayMenu::onAboutToShowGroup(sd_bus_message* call, void* self, sd_bus_error*) {
    TrayMenu& me = menu(self);
    int r = 0;
    const std::vector<int32_t> ids = readIds(call, r);
    if (r < 0) return r;
    const bool changed = me.refresh();
    const Entry root = me.tree();
    std::vector<int32_t> update, unknown;
    for (const int32_t id : ids) (find(root, id) ? update : unknown).push_back(id);
    if (!changed) update.clear();
    sd_bus_message* reply = nullptr;
    if ((r = sd_bus_message_new_method_return(call, &reply)) < 0) return r;
    r = sd_bus_message_append_array(reply, 'i', update.data(), update.size() * sizeof(int32_t));
    if (r >= 0) r = sd_bus_message_append_array(reply, 'i', unknown.data(), unknown.size() * sizeof(int32_t));
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
}

int TrayMenu::getVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                         sd_bus_error*) {
    return sd_bus_message_append(reply, "u", uint32_t(3));
}

int TrayMenu::getString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void*,
                        sd_bus_error*) {
    return sd_bus_message_append(reply, "s", !std::strcmp(property, "TextDirection") ? "ltr" : "normal");
}

int TrayMenu::getIconThemePath(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                               sd_bus_error*) {
    return sd_bus_message_append(reply, "as", 0);
}

void TrayMenu::activate(int32_t id) {
    if (id == kSettings) {
        if (actions_.openSettings) actions_.openSettings();
    } else if (id == kQuit) {
        if (verbose_) std::fprintf(stderr, "ampora-statusbar: quitting, as the tray menu asked\n");
        if (actions_.quit) actions_.quit();
    } else {
        for (const auto& [name, themeId] : themeIds_)
            if (themeId == id) return chooseTheme(name);
    }
}

void TrayMenu::chooseTheme(const std::string& name) {
    // The menu the person saw may be older than the folder.
    if (refresh()) announceLayout();
    if (std::find(themes_.begin(), themes_.end(), name) == themes_.end()) {
        foundation::logLine("AMPORA: status bar: theme \"" + name + "\" is no longer installed; the setting is unchanged");
        return;
    }
    // As `ampora set theme` writes it: the whole file under its lock, then the notification.
    std::string problem;
    if (!foundation::createFolders(foundation::preferencesRoot(), problem)) {
        foundation::logLine("AMPORA: theme not stored: " + problem);
        return;
    }
    const auto result = PreferenceStore::rewrite(
        foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
        [&](foundation::PlistDictionary& settings) { settings.insert_or_assign("theme", foundation::PlistValue(name)); });
    if (!result) {
        foundation::logLine("AMPORA: theme not stored: " + result.message);
        return;
    }
    if (verbose_) std::fprintf(stderr, "ampora-statusbar: theme \"%s\" chosen in the tray menu\n", name.c_str());
    notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification);
}

}  // namespace statusbar
