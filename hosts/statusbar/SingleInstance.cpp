#include "hosts/statusbar/SingleInstance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace statusbar {

namespace {

pid_t ownerPid(sd_bus* bus) {
    sd_bus_creds* creds = nullptr;
    pid_t pid = 0;
    if (sd_bus_get_name_creds(bus, SingleInstance::kBusName, SD_BUS_CREDS_PID, &creds) >= 0)
        sd_bus_creds_get_pid(creds, &pid);
    sd_bus_creds_unref(creds);
    return pid;
}

pid_t pidInFile(int fd) {
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    return n > 0 ? pid_t(std::atol(text)) : 0;
}

}  // namespace

std::string SingleInstance::lockPath() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/ampora-statusbar.lock";
    return "/tmp/ampora-statusbar-" + std::to_string(::getuid()) + ".lock";
}

SingleInstance::Claim SingleInstance::claim(desktop::BusConnection* session, bool replace, std::function<void()> lost) {
    return session && session->connected() ? claimName(*session, replace, std::move(lost)) : claimLock(replace);
}

SingleInstance::Claim SingleInstance::claimName(desktop::BusConnection& session, bool replace, std::function<void()> lost) {
    Claim claim;
    sd_bus* bus = session.bus();
    std::unique_ptr<SingleInstance> me(new SingleInstance);
    me->lost_ = std::move(lost);
    // Listening before asking: a replacement that comes at once is not missed.
    sd_bus_match_signal(bus, &me->lostSlot_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                        "NameLost", onNameLost, me.get());
    const pid_t before = ownerPid(bus);
    const uint64_t flags = SD_BUS_NAME_ALLOW_REPLACEMENT | (replace ? SD_BUS_NAME_REPLACE_EXISTING : 0);
    if (const int r = sd_bus_request_name(bus, kBusName, flags); r == -EEXIST) {
        claim.running = before ? before : ownerPid(bus);
        return claim;
    } else if (r < 0) {
        claim.problem = std::string("cannot own ") + kBusName + ": " + std::strerror(-r);
        return claim;
    }
    claim.running = replace ? before : 0;
    claim.instance = std::move(me);
    return claim;
}

SingleInstance::Claim SingleInstance::claimLock(bool replace) {
    Claim claim;
    const std::string path = lockPath();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        claim.problem = "cannot open " + path + ": " + std::strerror(errno);
        return claim;
    }
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!held && replace) {
        // The holder ends on SIGTERM and its lock goes with it.
        if (const pid_t other = pidInFile(fd); other > 0 && other != ::getpid()) {
            claim.running = other;
            ::kill(other, SIGTERM);
        }
        for (int i = 0; i < 60 && !(held = ::flock(fd, LOCK_EX | LOCK_NB) == 0); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!held) {
        claim.running = pidInFile(fd);
        ::close(fd);
        return claim;
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) != ssize_t(pid.size())) {
        // Held all the same; a later host only cannot name the pid.
    }
    claim.instance.reset(new SingleInstance);
    claim.instance->lockFd_ = fd;
    return claim;
}

SingleInstance::~SingleInstance() {
    sd_bus_slot_unref(lostSlot_);
    if (lockFd_ >= 0) ::close(lockFd_);
}

int SingleInstance::onNameLost(sd_bus_message* signal, void* self, sd_bus_error*) {
    const char* name = nullptr;
    auto& me = *static_cast<SingleInstance*>(self);
    if (sd_bus_message_read(signal, "s", &name) >= 0 && name && !std::strcmp(name, kBusName) && me.lost_) me.lost_();
    return 0;
}

}  // namespace statusbar
