#pragma once
// The color map's background queue: operations run in order on one worker
// thread, which starts when the queue is first released. The queue is created
// suspended; suspending again holds back operations that have not started.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class ColorMapQueue {
public:
    using Operation = std::function<void()>;

    ColorMapQueue() = default;
    // Waits for the running operation; drops those not started.
    ~ColorMapQueue();
    ColorMapQueue(const ColorMapQueue&) = delete;
    ColorMapQueue& operator=(const ColorMapQueue&) = delete;

    void addOperation(Operation operation);
    bool isSuspended() const;
    void setSuspended(bool suspended);

private:
    void work();

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Operation> operations_;
    bool suspended_ = true;
    bool stopping_ = false;
    std::thread worker_;
};
