#include "platform/uikit/views/UIClock.h"

#include <chrono>
#include <cmath>

#include "platform/notify/RunLoop.h"

namespace uikit {
namespace {

double realSeconds() {
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

UIClock& UIClock::shared() {
    static auto* clock = new UIClock();
    return *clock;
}

double UIClock::now() const { return virtual_ ? virtualNow_ : realSeconds(); }

void UIClock::setVirtual(bool isVirtual) {
    if (isVirtual == virtual_) return;
    const double virtualWas = virtualNow_;
    auto waiting = std::move(pending_);
    pending_.clear();
    virtualNow_ = realSeconds();
    virtual_ = isVirtual;
    // What waited on virtual time keeps its delay (and token) on real time,
    // so an animation begun before a window takes the clock still completes.
    for (auto& [due, p] : waiting) scheduleAs(p.token, due - virtualWas, std::move(p.callback));
}

int UIClock::schedule(double delay, Callback callback) {
    const int token = nextToken_++;
    scheduleAs(token, delay, std::move(callback));
    return token;
}

void UIClock::scheduleAs(int token, double delay, Callback callback) {
    if (!std::isfinite(delay) || delay < 0) delay = 0;
    if (virtual_) {
        pending_.emplace(virtualNow_ + delay, Pending{token, std::move(callback)});
        return;
    }
    const auto ms = std::chrono::milliseconds(std::llround(delay * 1000));
    realTimers_[token] = notify::RunLoop::main().addTimer(ms, false, [this, token, callback = std::move(callback)] {
        realTimers_.erase(token);
        callback();
    });
}

void UIClock::cancel(int token) {
    for (auto it = pending_.begin(); it != pending_.end(); ++it)
        if (it->second.token == token) {
            pending_.erase(it);
            return;
        }
    if (auto it = realTimers_.find(token); it != realTimers_.end()) {
        notify::RunLoop::main().cancelTimer(it->second);
        realTimers_.erase(it);
    }
}

void UIClock::advance(double seconds) {
    if (!virtual_ || !std::isfinite(seconds) || seconds < 0) return;
    const double end = virtualNow_ + seconds;
    while (!pending_.empty() && pending_.begin()->first <= end) {
        auto first = pending_.begin();
        virtualNow_ = std::max(virtualNow_, first->first);
        Callback callback = std::move(first->second.callback);
        pending_.erase(first);
        callback();
    }
    virtualNow_ = end;
}

}  // namespace uikit
