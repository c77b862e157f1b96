#include "settings/preview/PreviewQueue.h"

#include <algorithm>

#include "platform/notify/RunLoop.h"
#include "platform/webview/WebView.h"
#include "settings/preview/QVAXBatteryRenderer.h"

PreviewQueue& PreviewQueue::shared() {
    // Never destroyed: its thread may be inside a theme when the process ends.
    static PreviewQueue* queue = new PreviewQueue();
    return *queue;
}

std::uint64_t PreviewQueue::render(RenderSettings settings, Done done, ReadScript read) {
    std::uint64_t ticket;
    {
        std::lock_guard guard(lock_);
        ticket = next_++;
        unlanded_.insert(ticket);
        jobs_.push_back({ticket, std::move(settings), std::move(done), std::move(read)});
        if (!started_) {
            started_ = true;
            std::thread([this] { work(); }).detach();
        }
    }
    // Counted until its result has landed, so a screen without a person waits for it.
    notify::RunLoop::main().beginBackgroundWork();
    changed_.notify_one();
    return ticket;
}

void PreviewQueue::cancel(std::uint64_t ticket) {
    std::lock_guard guard(lock_);
    const auto queued = std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.ticket == ticket; });
    if (queued != jobs_.end()) {
        jobs_.erase(queued);
        unlanded_.erase(ticket);
        notify::RunLoop::main().endBackgroundWork();
    } else if (unlanded_.count(ticket)) {
        cancelled_.insert(ticket);
    }
}

void PreviewQueue::work() {
    webview::UIWebView page;
    std::unique_lock guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return !jobs_.empty(); });
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        guard.unlock();
        graphics::Image image;
        std::string failure;
        std::optional<std::string> script;
        if (job.read && !(script = job.read(failure))) {
            // Nothing to run: the reader said why.
        } else {
            if (script) job.settings.script = std::move(*script);
            image = QVAXBatteryRenderer::renderOnPage(page, job.settings);
            if (!image && !job.settings.script.empty()) failure = QVAXBatteryRenderer::failureOf(page.lastOutcome());
        }
        job.settings.script.clear();
        job.settings.script.shrink_to_fit();
        notify::RunLoop::main().dispatchAsync([this, ticket = job.ticket, done = std::move(job.done), image, failure] {
            bool dropped;
            {
                std::lock_guard landed(lock_);
                dropped = cancelled_.erase(ticket) > 0;
                unlanded_.erase(ticket);
            }
            if (!dropped && done) done(image, failure);
            notify::RunLoop::main().endBackgroundWork();
        });
        guard.lock();
    }
}
