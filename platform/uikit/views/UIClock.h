#pragma once
// The clock of animations, timed callbacks and event spacing. Virtual by
// default: time moves only when advance() is called (tests, scripts' "wait",
// screenshots), so nothing depends on how fast the machine is. A window for
// people switches it to real time, where callbacks run as main run-loop timers.

#include <functional>
#include <map>

namespace uikit {

class UIClock {
public:
    using Callback = std::function<void()>;

    static UIClock& shared();

    double now() const;  // seconds
    bool isVirtual() const { return virtual_; }
    void setVirtual(bool isVirtual);

    // Runs `callback` on the main thread `delay` seconds from now; returns a token.
    int schedule(double delay, Callback callback);
    void cancel(int token);

    // Virtual time: moves forward, running due callbacks in time order (those
    // scheduled while advancing included). Ignored in real time.
    void advance(double seconds);
    size_t pendingCount() const { return pending_.size(); }

private:
    UIClock() = default;
    void scheduleAs(int token, double delay, Callback callback);
    struct Pending {
        int token;
        Callback callback;
    };
    bool virtual_ = true;
    double virtualNow_ = 0;
    int nextToken_ = 1;
    std::multimap<double, Pending> pending_;  // by due time, virtual mode
    std::map<int, int> realTimers_;           // token -> run-loop timer
};

}  // namespace uikit
