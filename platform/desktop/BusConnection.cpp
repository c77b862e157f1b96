#include "platform/desktop/BusConnection.h"

#include <poll.h>
#include <sys/epoll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/foundation/Log.h"

namespace desktop {

namespace {
// A method call that a peer never answers fails after this long instead of
// holding anything up; nothing in the host waits for it meanwhile.
constexpr uint64_t kCallTimeoutMicroseconds = 5'000'000;
}

std::unique_ptr<BusConnection> BusConnection::openSession(notify::RunLoop& loop, std::string& error,
                                                          std::string whenLost) {
    return open(loop, false, error, std::move(whenLost));
}

std::unique_ptr<BusConnection> BusConnection::openSystem(notify::RunLoop& loop, std::string& error,
                                                         std::string whenLost) {
    return open(loop, true, error, std::move(whenLost));
}

std::unique_ptr<BusConnection> BusConnection::open(notify::RunLoop& loop, bool system, std::string& error,
                                                   std::string whenLost) {
    sd_bus* bus = nullptr;
    if (const int r = system ? sd_bus_open_system(&bus) : sd_bus_open_user(&bus); r < 0) {
        error = std::strerror(-r);
        return nullptr;
    }
    sd_bus_set_method_call_timeout(bus, kCallTimeoutMicroseconds);
    std::unique_ptr<BusConnection> connection(new BusConnection(bus, loop, system, std::move(whenLost)));
    if (!connection->connected()) {
        error = "cannot watch the bus connection";
        return nullptr;
    }
    return connection;
}

BusConnection::BusConnection(sd_bus* bus, notify::RunLoop& loop, bool system, std::string whenLost)
    : bus_(bus), loop_(loop), system_(system), whenLost_(std::move(whenLost)) {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    timer_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    const int fd = sd_bus_get_fd(bus_);
    if (epoll_ < 0 || timer_ < 0 || fd < 0) return;
    epoll_event busEvent{}, timerEvent{};
    busEvent.events = EPOLLIN;
    busEvent.data.fd = fd;
    timerEvent.events = EPOLLIN;
    timerEvent.data.fd = timer_;
    if (::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &busEvent) < 0 || ::epoll_ctl(epoll_, EPOLL_CTL_ADD, timer_, &timerEvent) < 0)
        return;
    readerToken_ = loop_.addReader(epoll_, [this] { process(); });
    rearm();
}

BusConnection::~BusConnection() {
    if (readerToken_) loop_.removeReader(readerToken_);
    // Flushing could wait on a stalled bus; whatever is still queued is dropped.
    sd_bus_close_unref(bus_);
    if (epoll_ >= 0) ::close(epoll_);
    if (timer_ >= 0) ::close(timer_);
}

void BusConnection::process() {
    if (!connected()) return;
    uint64_t expirations;
    [[maybe_unused]] auto drained = ::read(timer_, &expirations, sizeof expirations);
    int r;
    while ((r = sd_bus_process(bus_, nullptr)) > 0) {
    }
    if (r < 0) return disconnect();
    rearm();
}

void BusConnection::rearm() {
    const int events = sd_bus_get_events(bus_);
    if (events < 0) return disconnect();
    epoll_event busEvent{};
    busEvent.events = (events & POLLIN ? uint32_t(EPOLLIN) : 0u) | (events & POLLOUT ? uint32_t(EPOLLOUT) : 0u);
    busEvent.data.fd = sd_bus_get_fd(bus_);
    ::epoll_ctl(epoll_, EPOLL_CTL_MOD, busEvent.data.fd, &busEvent);

    uint64_t due = UINT64_MAX;
    sd_bus_get_timeout(bus_, &due);
    itimerspec due_at{};
    if (due != UINT64_MAX) {
        // Both count CLOCK_MONOTONIC; zero would disarm, so "now" becomes 1 ns.
        due = std::max<uint64_t>(due, 1) * 1000;
        due_at.it_value.tv_sec = time_t(due / 1'000'000'000);
        due_at.it_value.tv_nsec = long(due % 1'000'000'000);
    }
    ::timerfd_settime(timer_, TFD_TIMER_ABSTIME, &due_at, nullptr);
}

void BusConnection::disconnect() {
    foundation::logLine(std::string("AMPORA: the ") + (system_ ? "system" : "session") + " bus went away" +
                        (whenLost_.empty() ? "" : "; " + whenLost_));
    loop_.removeReader(readerToken_);
    readerToken_ = 0;
}

}  // namespace desktop
