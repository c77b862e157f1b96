#include "settings/picker/ColorMapQueue.h"

ColorMapQueue::~ColorMapQueue() {
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
        operations_.clear();
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void ColorMapQueue::addOperation(Operation operation) {
    {
        std::lock_guard guard(lock_);
        operations_.push_back(std::move(operation));
    }
    changed_.notify_all();
}

bool ColorMapQueue::isSuspended() const {
    std::lock_guard guard(lock_);
    return suspended_;
}

void ColorMapQueue::setSuspended(bool suspended) {
    {
        std::lock_guard guard(lock_);
        suspended_ = suspended;
        if (!suspended && !worker_.joinable()) worker_ = std::thread([this] { work(); });
    }
    changed_.notify_all();
}

void ColorMapQueue::work() {
    std::unique_lock guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return stopping_ || (!suspended_ && !operations_.empty()); });
        if (stopping_) return;
        Operation operation = std::move(operations_.front());
        operations_.pop_front();
        guard.unlock();
        operation();
        operation = nullptr;
        guard.lock();
    }
}
