#include "hosts/statusbar/power/BatterySource.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>

#include "platform/foundation/Log.h"
#include "platform/foundation/SafeRead.h"

namespace fs = std::filesystem;

namespace statusbar {
namespace {

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


}  // namespace statusbar
