// The kernel's power-supply class, read as UPower reads it: peripherals left
// out, system batteries combined by energy, the state taken from the
// batteries and the mains supplies together.
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "hosts/statusbar/power/BatterySource.h"

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

// A non-negative decimal file, or nothing for a missing file or garbage.
std::optional<double> readNumber(const fs::path& path) {
    const std::string text = readTrimmed(path);
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return {};
    return double(std::stoll(text));
}

struct Cell {
    std::optional<double> capacity, energyNow, energyFull, power, timeToEmpty, timeToFull;
    std::string status;
};

Cell readCell(const fs::path& dir) {
    Cell c;
    c.capacity = readNumber(dir / "capacity");
    c.status = readTrimmed(dir / "status");
    c.energyNow = readNumber(dir / "energy_now");
    c.energyFull = readNumber(dir / "energy_full");
    c.power = readNumber(dir / "power_now");
    const auto volts = readNumber(dir / "voltage_min_design");
    if ((!c.energyNow || !c.energyFull) && volts && *volts > 0) {
        // Charge in µAh times the design voltage in µV gives energy in µWh × 10⁶.
        const auto chargeNow = readNumber(dir / "charge_now"), chargeFull = readNumber(dir / "charge_full");
        if (chargeNow && chargeFull) c.energyNow = *chargeNow * *volts / 1e6, c.energyFull = *chargeFull * *volts / 1e6;
        if (!c.power)
            if (const auto current = readNumber(dir / "current_now")) c.power = *current * *volts / 1e6;
    }
    if (c.energyFull && *c.energyFull <= 0) c.energyNow.reset(), c.energyFull.reset();
    c.timeToEmpty = readNumber(dir / "time_to_empty_now");
    c.timeToFull = readNumber(dir / "time_to_full_now");
    return c;
}

class Sysfs : public BatterySource {
public:
    Sysfs(fs::path root, fs::path platformProfile) : root_(std::move(root)), platformProfile_(std::move(platformProfile)) {}
    ~Sysfs() override {
        if (fd_ >= 0) ::close(fd_);
    }

    BatteryState read() override {
        std::vector<fs::path> supplies;
        std::error_code error;
        for (fs::directory_iterator it(root_, error), end; !error && it != end; it.increment(error))
            supplies.push_back(it->path());
        std::sort(supplies.begin(), supplies.end());  // the folder's own order is arbitrary

        std::vector<Cell> cells;
        bool mainsKnown = false, mainsOnline = false;
        for (const fs::path& dir : supplies) {
            // A mouse's or a headset's battery says nothing about the machine's.
            if (readTrimmed(dir / "scope") == "Device") continue;
            const std::string type = readTrimmed(dir / "type");
            if (type == "Mains" || type == "USB") {
                mainsKnown = true;
                mainsOnline = mainsOnline || readTrimmed(dir / "online") == "1";
            } else if (type == "Battery" && readTrimmed(dir / "present") != "0") {
                cells.push_back(readCell(dir));
            }
        }
        BatteryState s;
        s.lowPower = readTrimmed(platformProfile_) == "low-power";
        problem_.clear();
        if (cells.empty()) {
            s.present = false;
            s.level = 100;
            s.state = 2;
            return *(last_ = s);
        }
        // By energy when every battery tells it, as UPower does; else the mean of the capacities.
        double now = 0, full = 0, capacities = 0, watts = 0;
        int withCapacity = 0;
        bool byEnergy = true, anyCharging = false, anyDischarging = false, allFull = true, notCharging = false;
        for (const Cell& c : cells) {
            if (c.energyNow && c.energyFull) now += std::min(*c.energyNow, *c.energyFull), full += *c.energyFull;
            else byEnergy = false;
            if (c.capacity) capacities += std::min(*c.capacity, 100.0), ++withCapacity;
            if (c.power) watts += *c.power / 1e6;
            anyCharging = anyCharging || c.status == "Charging";
            anyDischarging = anyDischarging || c.status == "Discharging";
            notCharging = notCharging || c.status == "Not charging";
            allFull = allFull && c.status == "Full";
        }
        double percent;
        if (byEnergy) percent = 100 * now / full;
        else if (withCapacity) percent = capacities / withCapacity;
        else {
            problem_ = "the batteries in " + root_.string() + " report no level";
            return last_.value_or(s);
        }
        s.level = std::clamp(int(std::lround(percent)), 0, 100);
        s.watts = watts;
        if (anyCharging) s.state = 1;
        else if (anyDischarging || (mainsKnown && !mainsOnline)) s.state = 0;
        else if (allFull) s.state = 2;
        else s.state = notCharging || mainsOnline ? 1 : 0;  // plugged in, holding its charge

        if (cells.size() == 1 && s.state == 0 && cells[0].timeToEmpty) s.secondsLeft = long(*cells[0].timeToEmpty);
        else if (cells.size() == 1 && s.state == 1 && anyCharging && cells[0].timeToFull)
            s.secondsLeft = long(*cells[0].timeToFull);
        else if (byEnergy && watts > 0.05 && s.state == 0) s.secondsLeft = long(now / 1e6 / watts * 3600);
        else if (byEnergy && watts > 0.05 && anyCharging) s.secondsLeft = long((full - now) / 1e6 / watts * 3600);
        return *(last_ = s);
    }

    std::string unavailable() const override { return last_ ? std::string() : problem_; }

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
    fs::path root_, platformProfile_;
    int fd_ = -1;
    std::optional<BatteryState> last_;
    std::string problem_;
};

}  // namespace

std::unique_ptr<BatterySource> systemBattery(const std::string& root, const std::string& platformProfile) {
    return std::make_unique<Sysfs>(root, platformProfile);
}

}  // namespace statusbar
