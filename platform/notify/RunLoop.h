#pragma once
// The main run loop of a host: file descriptors, timers and blocks queued for
// the main thread, dispatched by one thread that waits in poll(2).

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace notify {

class RunLoop {
public:
    using Callback = std::function<void()>;
    using Clock = std::chrono::steady_clock;

    static RunLoop& main();
    RunLoop();
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // Called on this loop whenever `fd` is readable; returns a token for removeReader.
    int addReader(int fd, Callback onReadable);
    void removeReader(int token);
    int addTimer(std::chrono::milliseconds interval, bool repeats, Callback fire);
    void cancelTimer(int token);
    // From any thread: runs `block` on this loop soon.
    void dispatchAsync(Callback block);

    // Dispatches until stop() (or the deadline).
    void run();
    void runUntil(Clock::time_point deadline);
    void stop();
    // This thread is inside run() or runUntil() of this loop: work done here
    // holds up everything the loop would dispatch next.
    bool runningOnThisThread() const;
    // How many blocks, reader callbacks and timers have run: a screen redraws when it moved.
    unsigned long dispatchCount() const { return dispatched_; }
    // Work another thread does that ends in a block for this loop, counted from
    // any thread, so that a screen without a person can let it land before it looks.
    void beginBackgroundWork() { ++backgroundWork_; }
    void endBackgroundWork() { --backgroundWork_; }
    bool hasBackgroundWork() const { return backgroundWork_ > 0; }
    // Dispatches until no background work is counted, or for `limit` at most.
    void letBackgroundWorkLand(std::chrono::milliseconds limit);

private:
    struct Reader {
        int fd;
        Callback onReadable;
    };
    struct Timer {
        Clock::time_point due;
        std::chrono::milliseconds interval;
        bool repeats;
        Callback fire;
    };
    // One wait and the dispatch that follows; false once stopped.
    bool turn(Clock::time_point deadline);

    int wakeFd_;
    int nextToken_ = 1;
    bool stopped_ = false;
    unsigned long dispatched_ = 0;
    std::atomic<int> backgroundWork_{0};
    std::map<int, Reader> readers_;
    std::map<int, Timer> timers_;
    std::mutex queueLock_;
    std::vector<Callback> queue_;
};

}  // namespace notify
