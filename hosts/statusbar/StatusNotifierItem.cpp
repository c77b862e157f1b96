#include "hosts/statusbar/StatusNotifierItem.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "hosts/statusbar/BatterySummary.h"
#include "platform/foundation/Log.h"

namespace statusbar {

namespace {

StatusNotifierItem& item(void* self) { return *static_cast<StatusNotifierItem*>(self); }

// Trays read the tooltip's description as markup; an exception's text may hold any of these.
std::string escapedMarkup(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

int appendPixmaps(sd_bus_message* reply, const std::vector<TrayPixmap>& pixmaps) {
    int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
    for (const auto& p : pixmaps) {
        if (r < 0) return r;
        if ((r = sd_bus_message_open_container(reply, 'r', "iiay")) < 0) return r;
        if ((r = sd_bus_message_append(reply, "ii", p.width, p.height)) < 0) return r;
        if ((r = sd_bus_message_append_array(reply, 'y', p.argb.data(), p.argb.size())) < 0) return r;
        r = sd_bus_message_close_container(reply);
    }
    return r < 0 ? r : sd_bus_message_close_container(reply);
}

}  // namespace

// Only the SNI's own signals announce changes; PropertiesChanged is not part of it.
// No attention icon: a tray then keeps showing IconPixmap while the item needs attention.
const sd_bus_vtable StatusNotifierItem::kVTable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Category", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Id", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Title", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Status", "s", getString, 0, 0),
    SD_BUS_PROPERTY("WindowId", "i", getWindowId, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconName", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconPixmap", "a(iiay)", getPixmaps, 0, 0),
    SD_BUS_PROPERTY("OverlayIconName", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("OverlayIconPixmap", "a(iiay)", getPixmaps, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("AttentionIconName", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("AttentionMovieName", "s", getString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", getToolTip, 0, 0),
    SD_BUS_PROPERTY("ItemIsMenu", "b", getBool, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Menu", "o", getMenu, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_METHOD("Activate", "ii", "", onActivate, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("SecondaryActivate", "ii", "", onIgnoredClick, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("ContextMenu", "ii", "", onIgnoredClick, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Scroll", "is", "", onIgnoredClick, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_SIGNAL("NewTitle", "", 0),
    SD_BUS_SIGNAL("NewIcon", "", 0),
    SD_BUS_SIGNAL("NewAttentionIcon", "", 0),
    SD_BUS_SIGNAL("NewOverlayIcon", "", 0),
    SD_BUS_SIGNAL("NewToolTip", "", 0),
    SD_BUS_SIGNAL("NewStatus", "s", 0),
    SD_BUS_VTABLE_END};

StatusNotifierItem::StatusNotifierItem(desktop::BusConnection& connection, std::function<void()> activate, std::string menuPath,
                                       bool verbose)
    : connection_(connection),
      activate_(std::move(activate)),
      menuPath_(std::move(menuPath)),
      verbose_(verbose),
      serviceName_("org.kde.StatusNotifierItem-" + std::to_string(::getpid()) + "-1") {
    sd_bus* bus = connection_.bus();
    sd_bus_add_object_vtable(bus, &objectSlot_, kObjectPath, kInterface, kVTable, this);
    // The match goes first: the bus handles a connection's requests in order, so
    // no watcher can appear unseen between it and the first registration.
    const std::string match = std::string("type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                                          "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='") +
                              kWatcher + "'";
    sd_bus_add_match_async(bus, &matchSlot_, match.c_str(), onWatcherOwnerChanged, nullptr, this);
}

StatusNotifierItem::~StatusNotifierItem() {
    for (sd_bus_slot* slot : {registerSlot_, nameSlot_, matchSlot_, objectSlot_}) sd_bus_slot_unref(slot);
}

void StatusNotifierItem::registerWithWatcher() {
    // Replacing the slot drops the answer to an earlier, still pending attempt.
    registerSlot_ = sd_bus_slot_unref(registerSlot_);
    const int r = sd_bus_call_method_async(connection_.bus(), &registerSlot_, kWatcher, "/StatusNotifierWatcher",
                                           kWatcher, "RegisterStatusNotifierItem", onRegistered, this, "s",
                                           serviceName_.c_str());
    if (r < 0 && verbose_) std::fprintf(stderr, "ampora-statusbar: cannot ask the tray: %s\n", std::strerror(-r));
}

int StatusNotifierItem::onRegistered(sd_bus_message* reply, void* self, sd_bus_error*) {
    StatusNotifierItem& me = item(self);
    me.registerSlot_ = sd_bus_slot_unref(me.registerSlot_);
    if (!me.verbose_) return 0;
    if (const sd_bus_error* e = sd_bus_message_get_error(reply))
        std::fprintf(stderr, "ampora-statusbar: no tray yet (%s)\n", e->message ? e->message : e->name);
    else
        std::fprintf(stderr, "ampora-statusbar: in the tray as %s\n", me.serviceName_.c_str());
    return 0;
}

int StatusNotifierItem::onWatcherOwnerChanged(sd_bus_message* signal, void* self, sd_bus_error*) {
    const char *name = nullptr, *previous = nullptr, *owner = nullptr;
    if (sd_bus_message_read(signal, "sss", &name, &previous, &owner) >= 0 && owner && *owner)
        item(self).registerWithWatcher();
    return 0;
}

void StatusNotifierItem::update(const graphics::Image& strip, const BatteryState& battery, const std::string& problem,
                                const std::vector<graphics::Image>& squares) {
    // Converted when a tray reads them, which is after the redraw, in a later turn of the loop.
    strip_ = strip;
    squares_ = squares;
    pixmaps_.reset();
    battery_ = battery;
    tooltip_ = batteryDescription(battery);
    tooltipText_ = escapedMarkup(problem);
    sd_bus* bus = connection_.bus();
    if (!nameSlot_) {
        // Named and announced once there is something to show.
        sd_bus_request_name_async(bus, &nameSlot_, serviceName_.c_str(), 0, nullptr, nullptr);
        registerWithWatcher();
    }
    sd_bus_emit_signal(bus, kObjectPath, kInterface, "NewIcon", nullptr);
    sd_bus_emit_signal(bus, kObjectPath, kInterface, "NewToolTip", nullptr);
    sd_bus_emit_signal(bus, kObjectPath, kInterface, "NewStatus", "s", status().c_str());
    connection_.process();
}

std::string StatusNotifierItem::status() const {
    if (!battery_.present) return "Passive";  // nothing to show on mains alone
    return batteryIsLow(battery_) ? "NeedsAttention" : "Active";
}

int StatusNotifierItem::getString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply,
                                  void* self, sd_bus_error*) {
    std::string value;
    if (!std::strcmp(property, "Category")) value = "Hardware";
    else if (!std::strcmp(property, "Id")) value = "ampora";
    else if (!std::strcmp(property, "Title")) value = "Ampora battery";
    else if (!std::strcmp(property, "Status")) value = item(self).status();
    return sd_bus_message_append(reply, "s", value.c_str());
}

int StatusNotifierItem::getPixmaps(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply,
                                   void* self, sd_bus_error*) {
    static const std::vector<TrayPixmap> none;
    if (!std::strcmp(property, "OverlayIconPixmap")) return appendPixmaps(reply, none);
    StatusNotifierItem& me = item(self);
    if (!me.pixmaps_ && !me.squares_.empty()) {
        me.pixmaps_.emplace();
        for (const auto& square : me.squares_) me.pixmaps_->push_back(trayPixmap(square->surface()));
    }
    if (!me.pixmaps_) me.pixmaps_ = trayPixmaps(me.strip_);
    return appendPixmaps(reply, *me.pixmaps_);
}

int StatusNotifierItem::getToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                                   sd_bus_error*) {
    int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
    if (r >= 0) r = sd_bus_message_append(reply, "s", "");
    if (r >= 0) r = appendPixmaps(reply, {});
    if (r >= 0) r = sd_bus_message_append(reply, "ss", item(self).tooltip_.c_str(), item(self).tooltipText_.c_str());
    return r < 0 ? r : sd_bus_message_close_container(reply);
}

int StatusNotifierItem::getBool(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                                sd_bus_error*) {
    return sd_bus_message_append(reply, "b", 0);
}

int StatusNotifierItem::getMenu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                                sd_bus_error*) {
    return sd_bus_message_append(reply, "o", item(self).menuPath_.c_str());
}

int StatusNotifierItem::getWindowId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                                    sd_bus_error*) {
    return sd_bus_message_append(reply, "i", 0);
}

int StatusNotifierItem::onActivate(sd_bus_message* call, void* self, sd_bus_error*) {
    // Answer first: the click must not wait on a program starting.
    const int r = sd_bus_reply_method_return(call, nullptr);
    if (item(self).activate_) item(self).activate_();
    return r;
}

int StatusNotifierItem::onIgnoredClick(sd_bus_message* call, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(call, nullptr);
}

}  // namespace statusbar
