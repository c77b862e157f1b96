#include "tests/hosts/TrayTestSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/graphics/PNG.h"

extern char** environ;

namespace {

constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kMenuInterface = "com.canonical.dbusmenu";

pid_t spawn(const std::vector<std::string>& args, int stdoutFd, bool quiet = false) {
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    if (quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace

PrivateSessionBus::PrivateSessionBus() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    pid_ = spawn({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"}, fds[1], /*quiet=*/true);
    ::close(fds[1]);
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') address_ += c;
    ::close(fds[0]);
    if (address_.empty()) throw std::runtime_error("dbus-daemon gave no address");
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
}

PrivateSessionBus::~PrivateSessionBus() {
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    stop(pid_);
}

TestWatcher::TestWatcher(const std::string& address, bool answers) : answers_(answers) {
    sd_bus_new(&bus_);
    sd_bus_set_address(bus_, address.c_str());
    sd_bus_set_bus_client(bus_, 1);
    if (sd_bus_start(bus_) < 0) throw std::runtime_error("cannot reach the test bus");
    static const sd_bus_vtable table[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", onRegister, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END};
    sd_bus_add_object_vtable(bus_, nullptr, "/StatusNotifierWatcher", kWatcherName, table, this);
    sd_bus_match_signal(bus_, nullptr, nullptr, "/StatusNotifierItem", kItemInterface, "NewIcon", onNewIcon, this);
    sd_bus_match_signal(bus_, nullptr, nullptr, nullptr, kMenuInterface, nullptr, onMenuSignal, this);
    if (sd_bus_request_name(bus_, kWatcherName, 0) < 0) throw std::runtime_error("cannot own the watcher name");
}

TestWatcher::~TestWatcher() {
    for (auto* m : unanswered_) sd_bus_message_unref(m);
    sd_bus_flush_close_unref(bus_);
}

int TestWatcher::onRegister(sd_bus_message* call, void* self, sd_bus_error*) {
    auto& me = *static_cast<TestWatcher*>(self);
    const char* service = nullptr;
    sd_bus_message_read(call, "s", &service);
    me.registrations_.push_back(service ? service : "");
    if (me.answers_) return sd_bus_reply_method_return(call, nullptr);
    me.unanswered_.push_back(sd_bus_message_ref(call));
    return 1;
}

int TestWatcher::onNewIcon(sd_bus_message*, void* self, sd_bus_error*) {
    ++static_cast<TestWatcher*>(self)->newIcons_;
    return 0;
}

int TestWatcher::onMenuSignal(sd_bus_message* signal, void* self, sd_bus_error*) {
    auto& me = *static_cast<TestWatcher*>(self);
    if (sd_bus_message_is_signal(signal, kMenuInterface, "LayoutUpdated")) ++me.layoutUpdates_;
    if (sd_bus_message_is_signal(signal, kMenuInterface, "ItemsPropertiesUpdated")) ++me.propertiesUpdates_;
    return 0;
}

bool TestWatcher::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        if (sd_bus_process(bus_, nullptr) > 0) continue;
        // Short waits: some conditions (a file written) bring no bus traffic.
        sd_bus_wait(bus_, 20'000);
    }
    return true;
}

std::string TestWatcher::stringProperty(const std::string& service, const char* property) {
    char* value = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_get_property_string(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, property, &error, &value);
    sd_bus_error_free(&error);
    std::string result = value ? value : "";
    std::free(value);
    return result;
}

namespace {
std::vector<Pixmap> readPixmaps(sd_bus_message* m) {
    std::vector<Pixmap> pixmaps;
    if (sd_bus_message_enter_container(m, 'a', "(iiay)") < 0) return pixmaps;
    while (sd_bus_message_enter_container(m, 'r', "iiay") > 0) {
        Pixmap p;
        const void* data = nullptr;
        size_t size = 0;
        sd_bus_message_read(m, "ii", &p.width, &p.height);
        sd_bus_message_read_array(m, 'y', &data, &size);
        p.argb.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        sd_bus_message_exit_container(m);
        pixmaps.push_back(std::move(p));
    }
    sd_bus_message_exit_container(m);
    return pixmaps;
}
}  // namespace

std::vector<Pixmap> TestWatcher::pixmapProperty(const std::string& service, const char* property) {
    sd_bus_message* reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    std::vector<Pixmap> pixmaps;
    if (sd_bus_get_property(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, property, &error, &reply,
                            "a(iiay)") >= 0)
        pixmaps = readPixmaps(reply);
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    return pixmaps;
}

std::string TestWatcher::toolTipTitle(const std::string& service) { return toolTip(service).first; }

std::pair<std::string, std::string> TestWatcher::toolTip(const std::string& service) {
    sd_bus_message* reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    std::pair<std::string, std::string> tip;
    if (sd_bus_get_property(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, "ToolTip", &error, &reply,
                            "(sa(iiay)ss)") >= 0 &&
        sd_bus_message_enter_container(reply, 'r', "sa(iiay)ss") >= 0) {
        const char *icon = nullptr, *text = nullptr, *description = nullptr;
        sd_bus_message_read(reply, "s", &icon);
        readPixmaps(reply);
        sd_bus_message_read(reply, "ss", &text, &description);
        tip = {text ? text : "", description ? description : ""};
    }
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    return tip;
}

bool TestWatcher::call(const std::string& service, const char* method, const char* signature, int a, int b) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, method, &error,
                                     nullptr, signature, a, b);
    sd_bus_error_free(&error);
    return r >= 0;
}

bool TestWatcher::scroll(const std::string& service) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, "Scroll", &error,
                                     nullptr, "is", 120, "vertical");
    sd_bus_error_free(&error);
    return r >= 0;
}

std::string MenuItem::text(const std::string& name, const std::string& absent) const {
    const auto it = properties.find(name);
    const auto* s = it == properties.end() ? nullptr : std::get_if<std::string>(&it->second);
    return s ? *s : absent;
}

bool MenuItem::enabled() const {
    const auto it = properties.find("enabled");
    const auto* b = it == properties.end() ? nullptr : std::get_if<bool>(&it->second);
    return b ? *b : true;
}

int MenuItem::toggleState() const {
    const auto it = properties.find("toggle-state");
    const auto* i = it == properties.end() ? nullptr : std::get_if<int>(&it->second);
    return i ? *i : -1;
}

const MenuItem* MenuItem::find(const std::string& wanted) const {
    for (const auto& child : children) {
        if (child.label() == wanted) return &child;
        if (const MenuItem* below = child.find(wanted)) return below;
    }
    return nullptr;
}

std::string TestWatcher::menuPath(const std::string& service) {
    sd_bus_message* reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const char* path = nullptr;
    std::string result;
    if (sd_bus_get_property(bus_, service.c_str(), "/StatusNotifierItem", kItemInterface, "Menu", &error, &reply,
                            "o") >= 0 &&
        sd_bus_message_read(reply, "o", &path) >= 0)
        result = path;
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    return result;
}

unsigned TestWatcher::menuVersion(const std::string& service, const std::string& path) {
    uint32_t version = 0;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_get_property_trivial(bus_, service.c_str(), path.c_str(), kMenuInterface, "Version", &error, 'u', &version);
    sd_bus_error_free(&error);
    return version;
}

namespace {
// One (ia{sv}av) of a layout, and everything below it; false on a malformed reply.
bool readMenuItem(sd_bus_message* m, MenuItem& item) {
    if (sd_bus_message_enter_container(m, 'r', "ia{sv}av") <= 0) return false;
    if (sd_bus_message_read(m, "i", &item.id) < 0) return false;
    if (sd_bus_message_enter_container(m, 'a', "{sv}") < 0) return false;
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char *name = nullptr, *contents = nullptr;
        if (sd_bus_message_read(m, "s", &name) < 0 || sd_bus_message_peek_type(m, nullptr, &contents) < 0 ||
            sd_bus_message_enter_container(m, 'v', contents) < 0)
            return false;
        const std::string type = contents;
        if (type == "s") {
            const char* s = nullptr;
            sd_bus_message_read(m, "s", &s);
            item.properties[name] = std::string(s ? s : "");
        } else if (type == "b") {
            int b = 0;
            sd_bus_message_read(m, "b", &b);
            item.properties[name] = bool(b);
        } else if (type == "i") {
            int32_t i = 0;
            sd_bus_message_read(m, "i", &i);
            item.properties[name] = int(i);
        } else {
            sd_bus_message_skip(m, contents);
        }
        sd_bus_message_exit_container(m);  // v
        sd_bus_message_exit_container(m);  // e
    }
    sd_bus_message_exit_container(m);
    if (sd_bus_message_enter_container(m, 'a', "v") < 0) return false;
    while (sd_bus_message_enter_container(m, 'v', "(ia{sv}av)") > 0) {
        MenuItem child;
        if (!readMenuItem(m, child)) return false;
        item.children.push_back(std::move(child));
        sd_bus_message_exit_container(m);
    }
    sd_bus_message_exit_container(m);
    return sd_bus_message_exit_container(m) >= 0;
}
}  // namespace

std::optional<MenuLayout> TestWatcher::menuLayout(const std::string& service, const std::string& path, int parent,
                                                  int depth, const std::vector<std::string>& properties) {
    sd_bus_message *call = nullptr, *reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    std::optional<MenuLayout> layout;
    std::vector<char*> names;
    for (const auto& p : properties) names.push_back(const_cast<char*>(p.c_str()));
    names.push_back(nullptr);
    MenuLayout read;
    if (sd_bus_message_new_method_call(bus_, &call, service.c_str(), path.c_str(), kMenuInterface, "GetLayout") >= 0 &&
        sd_bus_message_append(call, "ii", parent, depth) >= 0 && sd_bus_message_append_strv(call, names.data()) >= 0 &&
        sd_bus_call(bus_, call, 0, &error, &reply) >= 0 && sd_bus_message_read(reply, "u", &read.revision) >= 0 &&
        readMenuItem(reply, read.root))
        layout = std::move(read);
    sd_bus_error_free(&error);
    sd_bus_message_unref(call);
    sd_bus_message_unref(reply);
    return layout;
}

bool TestWatcher::menuEvent(const std::string& service, const std::string& path, int id, const char* event) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus_, service.c_str(), path.c_str(), kMenuInterface, "Event", &error, nullptr,
                                     "isvu", id, event, "s", "", 0u);
    sd_bus_error_free(&error);
    return r >= 0;
}

HostProcess::HostProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& stdoutPath) {
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    int fd = stdoutPath.empty() ? -1 : ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid_ = spawn(args, fd);
    if (fd >= 0) ::close(fd);
}

HostProcess::~HostProcess() { stop(pid_); }

int HostProcess::wait() {
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) {
        pid_ = -1;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return status_;
}

bool HostProcess::alive() const {
    if (pid_ <= 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == 0) return true;
    pid_ = -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Pixmap readPNG(const std::string& path) {
    Pixmap p;
    cairo_surface_t* s = graphics::decodePNG(readWholeFile(path));
    if (!s) return p;
    s = graphics::asARGB32(s);
    p.width = cairo_image_surface_get_width(s);
    p.height = cairo_image_surface_get_height(s);
    const uint8_t* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            uint32_t v;
            std::memcpy(&v, data + y * cairo_image_surface_get_stride(s) + x * 4, 4);
            for (int shift : {24, 16, 8, 0}) p.argb.push_back(uint8_t(v >> shift));
        }
    cairo_surface_destroy(s);
    return p;
}

Pixmap premultiplied(const Pixmap& tray) {
    Pixmap p = tray;
    for (size_t i = 0; i + 3 < p.argb.size(); i += 4) {
        const unsigned a = p.argb[i];
        // cairo's rounding when it reads a PNG.
        for (size_t c = 1; c < 4; ++c) {
            const unsigned t = a * p.argb[i + c] + 0x80;
            p.argb[i + c] = uint8_t(((t >> 8) + t) >> 8);
        }
    }
    return p;
}
