#include "platform/webview/WorkerClient.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <cairo.h>

#include "platform/foundation/Base64.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/notify/RunLoop.h"

extern char** environ;

namespace fs = std::filesystem;

namespace webview {
namespace {

constexpr const char* kWorkerName = "ampora-theme-worker";
// How often the worker's resident size is looked at while it runs a script.
constexpr std::chrono::milliseconds kWatchInterval{10};
// Loading JavaScriptCore and the fonts takes a fraction of this even on a busy
// machine; a worker slower to greet is replaced.
constexpr std::chrono::seconds kStartLimit{2};

std::uint32_t bigEndian32(const std::string& s, size_t at) {
    return std::uint32_t(std::uint8_t(s[at])) << 24 | std::uint32_t(std::uint8_t(s[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(s[at + 2])) << 8 | std::uint32_t(std::uint8_t(s[at + 3]));
}

// The width and height in a PNG's header (signature, then IHDR first).
bool pngSizeIs(const std::string& png, std::uint32_t width, std::uint32_t height) {
    return png.size() >= 24 && png.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && png.compare(12, 4, "IHDR") == 0 &&
           bigEndian32(png, 16) == width && bigEndian32(png, 20) == height;
}

constexpr const char* kLateStart = "the theme worker did not start in time";
constexpr const char* kStarting = "the theme worker is still starting";

bool executable(const fs::path& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace

WorkerClient& WorkerClient::shared() {
    static auto* client = new WorkerClient();
    return *client;
}

std::string WorkerClient::workerPath() {
    if (const char* chosen = std::getenv("AMPORA_THEME_WORKER"); chosen && *chosen) return chosen;
    std::vector<fs::path> candidates;
    std::error_code error;
    // Beside the program (an installed bin/), then beside the library holding
    // this code (the build tree, every program that links it), then the
    // library's ../libexec/ampora (an installed lib/).
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error) candidates.push_back(self.parent_path() / kWorkerName);
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&WorkerClient::workerPath), &info) && info.dli_fname) {
        const fs::path library = fs::absolute(info.dli_fname, error).parent_path();
        candidates.push_back(library / kWorkerName);
        candidates.push_back(library.parent_path() / "libexec" / "ampora" / kWorkerName);
    }
    for (const auto& candidate : candidates)
        if (executable(candidate)) return candidate.string();
    return "";
}

void WorkerClient::prepare() {
    std::lock_guard guard(mutex_);
    std::string why;
    if (pid_ < 0) start(why);
}

void WorkerClient::setReadyObserver(std::function<void()> ready) {
    std::lock_guard guard(mutex_);
    readyObserver_ = std::move(ready);
    if (readyObserver_ && pid_ > 0 && !ready_) watchStart();
}

bool WorkerClient::start(std::string& why) {
    const std::string path = workerPath();
    if (path.empty()) return why = std::string("cannot find ") + kWorkerName + " beside this program or its libraries", false;
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) return why = "socketpair failed", false;
    // dup2 onto itself would keep close-on-exec.
    if (sockets[1] == worker::kSocketFd) {
        const int moved = ::fcntl(sockets[1], F_DUPFD_CLOEXEC, worker::kSocketFd + 1);
        ::close(sockets[1]);
        sockets[1] = moved;
    }
    // Shared pixels: without them the worker still runs, and results are decoded here.
    if (pixels_) ::munmap(const_cast<unsigned char*>(pixels_), worker::kPixelBytes);
    pixels_ = nullptr;
    const int pixels = ::memfd_create("ampora-pixels", MFD_CLOEXEC);
    if (pixels >= 0 && ::ftruncate(pixels, off_t(worker::kPixelBytes)) == 0) {
        void* map = ::mmap(nullptr, worker::kPixelBytes, PROT_READ, MAP_SHARED, pixels, 0);
        pixels_ = map == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(map);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, sockets[1], worker::kSocketFd);
    if (pixels_) posix_spawn_file_actions_adddup2(&actions, pixels, worker::kPixelsFd);
    char* argv[] = {const_cast<char*>(kWorkerName), nullptr};
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(sockets[1]);
    if (pixels >= 0) ::close(pixels);
    if (rc != 0) {
        ::close(sockets[0]);
        return why = "cannot start " + path + ": " + std::strerror(rc), false;
    }
    pid_ = pid;
    fd_ = sockets[0];
    ready_ = false;
    greeting_.clear();
    startedAt_ = std::chrono::steady_clock::now();
    if (readyObserver_) watchStart();
    return true;
}

bool WorkerClient::readGreeting(std::chrono::steady_clock::time_point until, std::string& why) {
    if (ready_) return true;
    const auto limit = startedAt_ + kStartLimit;
    until = std::min(until, limit);
    while (greeting_.size() < worker::kReadyLength) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        const int polled = ::poll(&p, 1, int(std::max<long long>(0, left.count())));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0)
            return why = std::chrono::steady_clock::now() >= limit ? kLateStart : kStarting, false;
        char c[worker::kReadyLength];
        const ssize_t n = ::recv(fd_, c, worker::kReadyLength - greeting_.size(), MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return why = "the theme worker ended while starting", false;
        greeting_.append(c, size_t(n));
    }
    if (greeting_ != std::string(worker::kReady, worker::kReadyLength)) return why = "the theme worker greeted wrongly", false;
    unwatchStart();
    replacing_ = false;
    return ready_ = true;
}

void WorkerClient::watchStart() {
    unwatchStart();
    notify::RunLoop& loop = notify::RunLoop::main();
    greetingReader_ = loop.addReader(fd_, [this] { greetingArrived(); });
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(startedAt_ + kStartLimit - std::chrono::steady_clock::now());
    startTimer_ = loop.addTimer(std::max(left, std::chrono::milliseconds(0)), false, [this] { startTookTooLong(); });
}

void WorkerClient::unwatchStart() {
    if (greetingReader_) notify::RunLoop::main().removeReader(greetingReader_);
    if (startTimer_) notify::RunLoop::main().cancelTimer(startTimer_);
    greetingReader_ = startTimer_ = 0;
}

void WorkerClient::greetingArrived() {
    std::function<void()> tell;
    {
        std::lock_guard guard(mutex_);
        std::string why;
        if (readGreeting(std::chrono::steady_clock::now(), why)) {
            if (owed_ && readyObserver_) tell = readyObserver_;
            owed_ = false;
        } else if (why != kStarting) {
            foundation::logLine("AMPORA: " + why);
            stop();
        }
    }
    // Unlocked: the observer evaluates again.
    if (tell) tell();
}

void WorkerClient::startTookTooLong() {
    std::lock_guard guard(mutex_);
    std::string why;
    if (readGreeting(std::chrono::steady_clock::now(), why)) return;  // its greeting is read with the next evaluation
    foundation::logLine("AMPORA: " + why);
    const bool again = owed_ && !replacing_;
    stop();
    // One replacement for an evaluation still owed; a worker that keeps
    // stalling is tried again only when the next evaluation asks.
    std::string ignored;
    if (again && start(ignored)) replacing_ = true;
}

void WorkerClient::stop() {
    unwatchStart();
    ready_ = false;
    if (fd_ >= 0) ::close(fd_);
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    if (pixels_) ::munmap(const_cast<unsigned char*>(pixels_), worker::kPixelBytes);
    pixels_ = nullptr;
    fd_ = -1;
    pid_ = -1;
}

void WorkerClient::restart() {
    stop();
    // Started at once, so the next evaluation finds it (nearly) ready.
    std::string why;
    start(why);
}

size_t WorkerClient::residentBytes() const {
    std::ifstream statm("/proc/" + std::to_string(pid_) + "/statm");
    size_t total = 0, resident = 0;
    statm >> total >> resident;
    return resident * size_t(::sysconf(_SC_PAGESIZE));
}

worker::Reply WorkerClient::failure(EvaluationOutcome::Kind kind, const std::string& message) {
    worker::Reply reply;
    reply.outcome.kind = kind;
    reply.outcome.message = message;
    return reply;
}

std::uint32_t WorkerClient::newPageId() {
    std::lock_guard guard(mutex_);
    return nextPage_++;
}

void WorkerClient::closePage(std::uint32_t page) {
    std::lock_guard guard(mutex_);
    if (fd_ < 0 || !ready_) return;
    worker::Request request;
    request.op = worker::Op::ClosePage;
    request.page = page;
    if (!worker::sendAll(fd_, worker::encode(request))) stop();
}

worker::Reply WorkerClient::evaluate(const worker::Request& request, std::chrono::milliseconds deadline,
                                     size_t memoryLimit) {
    using Clock = std::chrono::steady_clock;
    std::lock_guard guard(mutex_);
    std::string why;
    // Inside the loop the process has its own events to answer: a worker not
    // ready yet owes this evaluation a redraw instead of holding the loop up.
    const bool waits = !readyObserver_ || !notify::RunLoop::main().runningOnThisThread();
    // A page that lived in a worker since killed starts fresh anyway.
    bool sent = false;
    for (int attempt = 0; attempt < 2 && !sent; ++attempt) {
        if (pid_ < 0 && !start(why)) break;
        const bool greeted = readGreeting(waits ? Clock::time_point::max() : Clock::now(), why);
        if (!greeted && why == kStarting) {
            owed_ = true;
            return failure(EvaluationOutcome::Kind::Stopped, EvaluationOutcome::kEvaluatorStarting);
        }
        sent = greeted && worker::sendAll(fd_, worker::encode(request));
        if (!sent) stop();
        // A worker that did not greet in time is replaced, but a call that
        // waited for it has waited enough.
        if (!greeted && why == kLateStart && waits) break;
    }
    if (sent) owed_ = false;
    if (!sent) {
        foundation::logLine("AMPORA: " + why);
        return failure(EvaluationOutcome::Kind::Stopped, "was not run: " + why);
    }

    const auto end = Clock::now() + deadline;
    worker::Reader reader;
    worker::Reply reply;
    while (!reader.takeReply(reply)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (reader.corrupt() || left.count() <= 0) {
            restart();
            if (reader.corrupt()) return failure(EvaluationOutcome::Kind::Stopped, "ended the theme worker");
            return failure(EvaluationOutcome::Kind::Timeout,
                           "ran longer than " + std::to_string(deadline.count()) + " ms and was stopped");
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::min(left, kWatchInterval).count()) + 1);
        if (ready < 0 && errno != EINTR) {
            stop();
            return failure(EvaluationOutcome::Kind::Stopped, "lost the theme worker");
        }
        if (ready > 0) {
            // No more than the message still needs: a worker's bytes past
            // its reply, or past the cap, are never taken in.
            const size_t want = reader.wanted();
            const ssize_t n = want == 0 ? 0 : ::recv(fd_, buffer_.data(), std::min(want, buffer_.size()), 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                restart();
                return failure(EvaluationOutcome::Kind::Stopped, "ended the theme worker");
            }
            reader.append(buffer_.data(), size_t(n));
        } else if (ready == 0 && residentBytes() > memoryLimit) {
            restart();
            return failure(EvaluationOutcome::Kind::Stopped,
                           "used more than " + std::to_string(memoryLimit >> 20) + " MB and was stopped");
        }
    }
    rememberPixels(reply);  // before a restart maps new, empty pixels
    // Memory a script kept past its evaluation is given back by a new worker.
    if (++calls_ % 32 == 0 && residentBytes() > memoryLimit / 2) restart();
    return reply;
}

void WorkerClient::rememberPixels(const worker::Reply& reply) {
    if (!pixels_ || !reply.width || !reply.height) return;
    auto png = foundation::base64PayloadOf(reply.value);
    if (!png) return;
    const int w = int(reply.width), h = int(reply.height);
    // The size claimed for the pixels must be the PNG's own; otherwise the PNG is decoded here.
    if (!pngSizeIs(*png, reply.width, reply.height)) return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const int stride = cairo_image_surface_get_stride(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < h; ++y) std::memcpy(data + size_t(y) * stride, pixels_ + size_t(y) * w * 4, size_t(w) * 4);
        cairo_surface_mark_dirty(surface);
        graphics::rememberDecodedPNG(*png, surface);
    }
    cairo_surface_destroy(surface);
}

}  // namespace webview
