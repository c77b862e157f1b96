#include "platform/notify/RunLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace notify {

namespace {
thread_local const RunLoop* runningHere = nullptr;
}  // namespace

RunLoop& RunLoop::main() {
    static auto* loop = new RunLoop();
    return *loop;
}

RunLoop::RunLoop() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

RunLoop::~RunLoop() {
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

int RunLoop::addReader(int fd, Callback onReadable) {
    const int token = nextToken_++;
    readers_[token] = {fd, std::move(onReadable)};
    return token;
}

void RunLoop::removeReader(int token) { readers_.erase(token); }

int RunLoop::addTimer(std::chrono::milliseconds interval, bool repeats, Callback fire) {
    const int token = nextToken_++;
    timers_[token] = {Clock::now() + interval, interval, repeats, std::move(fire)};
    return token;
}

void RunLoop::cancelTimer(int token) { timers_.erase(token); }

void RunLoop::dispatchAsync(Callback block) {
    {
        std::lock_guard guard(queueLock_);
        queue_.push_back(std::move(block));
    }
    const uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(wakeFd_, &one, sizeof one);
}

void RunLoop::stop() {
    stopped_ = true;
    dispatchAsync([] {});
}

void RunLoop::run() { runUntil(Clock::time_point::max()); }

void RunLoop::letBackgroundWorkLand(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (hasBackgroundWork() && Clock::now() < deadline) runUntil(Clock::now() + std::chrono::milliseconds(2));
}

void RunLoop::runUntil(Clock::time_point deadline) {
    stopped_ = false;
    const RunLoop* outer = runningHere;
    runningHere = this;
    while (turn(deadline)) {
    }
    runningHere = outer;
}

bool RunLoop::runningOnThisThread() const { return runningHere == this; }

bool RunLoop::turn(Clock::time_point deadline) {
    if (stopped_ || Clock::now() >= deadline) return false;
    Clock::time_point wakeAt = deadline;
    for (const auto& [token, timer] : timers_) wakeAt = std::min(wakeAt, timer.due);

    std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
    std::vector<int> tokens{0};
    for (const auto& [token, reader] : readers_) {
        fds.push_back({reader.fd, POLLIN, 0});
        tokens.push_back(token);
    }
    int timeout = -1;
    if (wakeAt != Clock::time_point::max()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wakeAt - Clock::now()).count();
        timeout = int(std::max<long long>(0, std::min<long long>(wait, 1 << 30)));
    }
    if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) return false;

    if (fds[0].revents & POLLIN) {
        uint64_t count;
        [[maybe_unused]] auto read = ::read(wakeFd_, &count, sizeof count);
    }
    std::vector<Callback> blocks;
    {
        std::lock_guard guard(queueLock_);
        blocks.swap(queue_);
    }
    dispatched_ += blocks.size();
    for (auto& block : blocks) block();
    for (size_t i = 1; i < fds.size(); ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        // A callback may have removed this reader (or others) meanwhile.
        auto it = readers_.find(tokens[i]);
        if (it != readers_.end()) {
            Callback callback = it->second.onReadable;
            ++dispatched_;
            callback();
        }
    }
    const auto now = Clock::now();
    std::vector<int> due;
    for (const auto& [token, timer] : timers_)
        if (timer.due <= now) due.push_back(token);
    for (int token : due) {
        auto it = timers_.find(token);
        if (it == timers_.end()) continue;
        Callback fire = it->second.fire;
        if (it->second.repeats) it->second.due = now + it->second.interval;
        else timers_.erase(it);
        ++dispatched_;
        fire();
    }
    return !stopped_;
}

}  // namespace notify
