#include "hosts/statusbar/BatterySource.h"

#include <linux/netlink.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/foundation/Log.h"
#include "platform/foundation/SafeRead.h"

namespace fs = std::filesystem;

namespace statusbar {
namespace {

std::string readTrimmed(const fs::path& path) {
    std::ifstream in(path);
    std::string value;
    std::getline(in, value);
    while (!value.empty() && (value.back() == '\n' || value.back() == ' ' || value.back() == '\r')) value.pop_back();
    return value;
}

class Simulated : public BatterySource {
public:
    explicit Simulated(BatteryState s) : state_(s) {}
    BatteryState read() override { return state_; }
    void watch(notify::RunLoop&, std::function<void()>) override {}
    std::string describe() const override { return "simulated battery"; }

private:
    BatteryState state_;
};

class File : public BatterySource {
public:
    explicit File(fs::path path) : path_(std::move(path)) {}
    ~File() override {
        if (fd_ >= 0) ::close(fd_);
    }
    BatteryState read() override {
        // Only a small regular file: a FIFO or /dev/zero here must not stall or flood the host.
        const foundation::FileRead file = foundation::readRegularFile(path_.string(), foundation::ReadLimit::battery);
        BatteryState parsed;
        if (!file.ok()) {
            problem_ = "the battery file " + path_.string() + " " + file.problem;
        } else if (parseBatteryText(file.bytes, parsed, true)) {
            last_ = parsed;
            problem_.clear();
        } else {
            problem_ = "the battery file " + path_.string() + " holds no level such as \"57\" or \"57 charging\": '" +
                       file.bytes.substr(0, 40) + "'";
            foundation::logUnreadableOnce(path_.string(), "holds no battery level; keeping the last good one");
        }
        return last_.value_or(BatteryState{});
    }
    std::string unavailable() const override { return last_ ? std::string() : problem_; }
    void watch(notify::RunLoop& loop, std::function<void()> changed) override {
        // The folder is watched, so an editor that replaces the file is heard too.
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        const std::string folder = path_.parent_path().empty() ? "." : path_.parent_path().string();
        if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
            foundation::logLine("AMPORA: cannot watch " + folder + "; the battery file is read once");
            return;
        }
        loop.addReader(fd_, [this, changed] {
            alignas(inotify_event) char buffer[4096];
            bool ours = false;
            for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
                for (ssize_t at = 0; at < n;) {
                    const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                    if (e->len && path_.filename() == e->name) ours = true;
                    at += ssize_t(sizeof(inotify_event) + e->len);
                }
            if (ours) changed();
        });
    }
    std::string describe() const override { return "battery file " + path_.string(); }

private:
    fs::path path_;
    int fd_ = -1;
    std::optional<BatteryState> last_;
    std::string problem_;
};

class System : public BatterySource {
public:
    explicit System(fs::path root) : root_(std::move(root)) {}
    ~System() override {
        if (fd_ >= 0) ::close(fd_);
    }
    BatteryState read() override {
        BatteryState s;
        bool mains = false, found = false;
        std::error_code error;
        for (fs::directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
            const std::string type = readTrimmed(it->path() / "type");
            if (type == "Mains" || type == "USB") mains = mains || readTrimmed(it->path() / "online") == "1";
            if (type != "Battery" || found || !fs::exists(it->path() / "capacity")) continue;
            found = true;
            s.level = std::clamp(std::atoi(readTrimmed(it->path() / "capacity").c_str()), 0, 100);
            const std::string status = readTrimmed(it->path() / "status");
            s.state = status == "Full" ? 2 : status == "Charging" ? 1 : 0;
            statusText_ = status;
        }
        if (!found) {
            // A machine without a battery runs on mains: shown full and plugged in.
            s.level = 100;
            s.state = 2;
        } else if (s.state == 0 && mains && statusText_ != "Discharging") {
            s.state = 1;  // plugged in but holding its charge
        }
        s.lowPower = readTrimmed("/sys/firmware/acpi/platform_profile") == "low-power";
        return s;
    }
    void watch(notify::RunLoop& loop, std::function<void()> changed) override {
        // The kernel announces power-supply changes on the uevent netlink socket.
        fd_ = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT);
        sockaddr_nl address{};
        address.nl_family = AF_NETLINK;
        address.nl_groups = 1;
        if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            loop.addReader(fd_, [this, changed] {
                char buffer[8192];
                bool power = false;
                for (ssize_t n; (n = ::recv(fd_, buffer, sizeof buffer - 1, 0)) > 0;) {
                    buffer[n] = '\0';
                    for (ssize_t at = 0; at < n; at += ssize_t(std::strlen(buffer + at)) + 1)
                        if (std::strcmp(buffer + at, "SUBSYSTEM=power_supply") == 0) power = true;
                }
                if (power) changed();
            });
        }
        // Capacity moves without an event on some machines.
        loop.addTimer(std::chrono::seconds(30), true, changed);
    }
    std::string describe() const override { return "power supply " + root_.string(); }

private:
    fs::path root_;
    int fd_ = -1;
    std::string statusText_;
};

}  // namespace

bool parseBatteryText(const std::string& text, BatteryState& state, bool clamp) {
    std::istringstream in(text);
    std::string word;
    BatteryState parsed;
    bool haveLevel = false;
    while (in >> word) {
        for (char& c : word)
            if (c == ':' || c == ',') c = ' ';
        std::istringstream parts(word);
        std::string part;
        while (parts >> part) {
            const size_t sign = part[0] == '-' || part[0] == '+';
            const bool decimal = part.size() > sign && part.find_first_not_of("0123456789", sign) == std::string::npos;
            if (!haveLevel && decimal) {
                // Long runs of digits are far out of range either way.
                const long level = part.size() - sign > 6 ? (part[0] == '-' ? -1 : 101) : std::atol(part.c_str());
                if ((level < 0 || level > 100) && !clamp) return false;
                parsed.level = int(std::clamp(level, 0L, 100L));
                haveLevel = true;
            } else if (part == "charging") parsed.state = 1;
            else if (part == "full") parsed.state = 2;
            else if (part == "lpm" || part == "low-power") parsed.lowPower = true;
            else if (part != "unplugged" && part != "discharging") return false;
        }
    }
    if (haveLevel) state = parsed;
    return haveLevel;
}

std::unique_ptr<BatterySource> simulatedBattery(const std::string& text) {
    BatteryState s;
    if (!parseBatteryText(text, s)) return nullptr;
    return std::make_unique<Simulated>(s);
}

std::unique_ptr<BatterySource> batteryFile(const std::string& path) { return std::make_unique<File>(path); }

std::unique_ptr<BatterySource> systemBattery(const std::string& root) { return std::make_unique<System>(root); }

}  // namespace statusbar
