#pragma once
// Previews drawn off the main thread, in the order asked, on one thread with a
// page of its own, so that a list of themes opens at once and a theme that
// never returns holds up only its own row. Each result lands on the main loop.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "platform/graphics/Image.h"
#include "settings/preview/RenderSettings.h"

class PreviewQueue {
public:
    // The image, or nullptr and why.
    using Done = std::function<void(graphics::Image image, const std::string& failure)>;
    // Reads the script on the queue's thread, so a large theme costs the main
    // thread nothing: the text, or nullopt and why.
    using ReadScript = std::function<std::optional<std::string>(std::string& why)>;

    static PreviewQueue& shared();

    // `done` runs on the main loop, unless the ticket was cancelled before.
    // With `read`, the script comes from it and not from `settings`.
    std::uint64_t render(RenderSettings settings, Done done, ReadScript read = nullptr);
    // A render not started is dropped; one under way is drawn and thrown away.
    void cancel(std::uint64_t ticket);

private:
    PreviewQueue() = default;
    void work();

    struct Job {
        std::uint64_t ticket;
        RenderSettings settings;
        Done done;
        ReadScript read;
    };
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    std::set<std::uint64_t> unlanded_;   // asked for, result not yet on the main loop
    std::set<std::uint64_t> cancelled_;  // of those, the ones to throw away
    std::uint64_t next_ = 1;
    bool started_ = false;  // its one thread, which lives as long as the process
};
