#include "platform/desktop/Notifications.h"

namespace desktop {
namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr uint64_t kAnswerMicroseconds = 2'000'000;
}  // namespace

Notifications::Notifications(sd_bus* bus, std::string appName) : bus_(sd_bus_ref(bus)), appName_(std::move(appName)) {
    // A notice the person dismissed is not closed again later.
    sd_bus_match_signal_async(bus_, &closedSlot_, nullptr, kPath, kService, "NotificationClosed", onClosed, nullptr, this);
}

Notifications::~Notifications() {
    sd_bus_slot_unref(callSlot_);
    sd_bus_slot_unref(closedSlot_);
    sd_bus_unref(bus_);
}

void Notifications::show(const std::string& summary, const std::string& body, const NoticeImage& image,
                         const std::string& iconName) {
    sd_bus_message* call = nullptr;
    int r = sd_bus_message_new_method_call(bus_, &call, kService, kPath, kService, "Notify");
    if (r >= 0) r = sd_bus_message_append(call, "susss", appName_.c_str(), id_, iconName.c_str(), summary.c_str(), body.c_str());
    if (r >= 0) r = sd_bus_message_append(call, "as", 0);
    if (r >= 0) r = sd_bus_message_open_container(call, 'a', "{sv}");
    if (r >= 0) r = sd_bus_message_append(call, "{sv}", "urgency", "y", uint8_t(2));
    if (r >= 0) r = sd_bus_message_append(call, "{sv}", "category", "s", "device");
    if (r >= 0 && image.width > 0 && image.height > 0 && image.rgba.size() == size_t(image.width) * image.height * 4) {
        r = sd_bus_message_open_container(call, 'e', "sv");
        if (r >= 0) r = sd_bus_message_append(call, "s", "image-data");
        if (r >= 0) r = sd_bus_message_open_container(call, 'v', "(iiibiiay)");
        if (r >= 0) r = sd_bus_message_open_container(call, 'r', "iiibiiay");
        if (r >= 0) r = sd_bus_message_append(call, "iiibii", image.width, image.height, image.width * 4, 1, 8, 4);
        if (r >= 0) r = sd_bus_message_append_array(call, 'y', image.rgba.data(), image.rgba.size());
        for (int i = 0; i < 3 && r >= 0; ++i) r = sd_bus_message_close_container(call);
    }
    if (r >= 0) r = sd_bus_message_close_container(call);
    if (r >= 0) r = sd_bus_message_append(call, "i", int32_t(-1));
    if (r >= 0) {
        callSlot_ = sd_bus_slot_unref(callSlot_);
        r = sd_bus_call_async(bus_, &callSlot_, call, onNotified, this, kAnswerMicroseconds);
    }
    sd_bus_message_unref(call);
    wanted_ = r >= 0;
}

void Notifications::close() {
    if (!wanted_) return;
    wanted_ = false;
    // Still on its way: the answer with the id closes it.
    if (!callSlot_) sendClose();
}

void Notifications::sendClose() {
    if (id_ == 0) return;
    sd_bus_call_method_async(bus_, nullptr, kService, kPath, kService, "CloseNotification", nullptr, nullptr, "u", id_);
    id_ = 0;
}

int Notifications::onNotified(sd_bus_message* reply, void* self, sd_bus_error*) {
    Notifications& me = *static_cast<Notifications*>(self);
    me.callSlot_ = sd_bus_slot_unref(me.callSlot_);
    uint32_t id = 0;
    if (sd_bus_message_get_error(reply) || sd_bus_message_read(reply, "u", &id) < 0) {
        me.wanted_ = false;
        return 0;
    }
    me.id_ = id;
    if (!me.wanted_) me.sendClose();
    return 0;
}

int Notifications::onClosed(sd_bus_message* signal, void* self, sd_bus_error*) {
    Notifications& me = *static_cast<Notifications*>(self);
    uint32_t id = 0;
    if (sd_bus_message_read(signal, "u", &id) >= 0 && id == me.id_ && id != 0) {
        me.id_ = 0;
        me.wanted_ = false;
    }
    return 0;
}

}  // namespace desktop
