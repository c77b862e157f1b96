#pragma once
// This process's one theme worker: started on first need, reused for every
// evaluation, killed when an evaluation outruns its deadline or the worker
// outgrows its memory ceiling, and started anew on the next call.

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/webview/WorkerProtocol.h"

namespace webview {

class WorkerClient {
public:
    static WorkerClient& shared();

    // Starts the worker now if it is not running, without waiting for it.
    void prepare();
    // For a process that evaluates from its main run loop: once this is set, an
    // evaluation made inside that loop does not wait for a starting worker but
    // gives no value at once, and `ready` runs on the loop when the worker has
    // greeted. Outside the loop (a first frame, a command) evaluations still
    // wait for the greeting, up to its limit.
    void setReadyObserver(std::function<void()> ready);
    // The reply, or an empty value with the reason in its outcome.
    worker::Reply evaluate(const worker::Request& request, std::chrono::milliseconds deadline, size_t memoryLimit);
    void closePage(std::uint32_t page);
    std::uint32_t newPageId();

    // The running worker's process id, or -1.
    pid_t pid() const { return pid_; }
    // Where the worker program was looked for and found ("" when it was not).
    static std::string workerPath();

private:
    WorkerClient() = default;
    bool start(std::string& why);
    // Reads the started worker's greeting until it is whole or `until` has
    // passed; start-up is not charged to a script's deadline, but it has a
    // limit of its own, counted from the start.
    bool readGreeting(std::chrono::steady_clock::time_point until, std::string& why);
    // The main run loop hears the greeting, and replaces a worker silent past its limit.
    void watchStart();
    void unwatchStart();
    void greetingArrived();
    void startTookTooLong();
    void stop();
    void restart();
    size_t residentBytes() const;
    worker::Reply failure(EvaluationOutcome::Kind kind, const std::string& message);
    // What the reply's PNG decodes to, from the shared pixels, so turning the
    // result into an image does not decode the PNG again.
    void rememberPixels(const worker::Reply& reply);

    std::mutex mutex_;
    pid_t pid_ = -1;
    int fd_ = -1;
    const unsigned char* pixels_ = nullptr;  // the worker's shared pixels, read only
    bool ready_ = false;
    std::string greeting_;
    std::chrono::steady_clock::time_point startedAt_;
    std::function<void()> readyObserver_;
    bool owed_ = false;        // an evaluation was not run for want of a ready worker
    bool replacing_ = false;   // the worker starting now replaces one that never greeted
    int greetingReader_ = 0, startTimer_ = 0;
    std::uint32_t nextPage_ = 1;
    unsigned calls_ = 0;
    // Kept between calls: a megabyte made and zeroed per call was a quarter of this side's time.
    std::vector<char> buffer_ = std::vector<char>(1 << 20);
};

}  // namespace webview
