#pragma once
// What crosses the socket between a process that evaluates themes and its
// worker: one request, one reply, each a fixed header and its byte strings.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/webview/WebView.h"

namespace webview::worker {

// The descriptor the worker finds its end of the socket on.
constexpr int kSocketFd = 3;
// A shared memory file both map: the worker leaves the decoded pixels of its
// result there, so megabytes of them need not cross the socket. As large as
// the largest canvas.
constexpr int kPixelsFd = 4;
constexpr size_t kPixelBytes = size_t(4096) * 4096 * 4;
// The largest reply a worker may send: a data URL of the largest canvas as a
// PNG that did not compress at all, the console text of one evaluation, the
// message strings and framing. Past it the worker is not believed but ended.
constexpr size_t kLargestPngBytes = size_t(4096) * (4096 * 4 + 1) * 1001 / 1000 + 4096;
constexpr size_t kConsoleBytes = size_t(64) << 10;
constexpr size_t kMaxReplyBytes = (kLargestPngBytes + 2) / 3 * 4 + 64 + kConsoleBytes + (size_t(64) << 10);
// The largest request: a script of the largest size a page accepts, and framing.
constexpr size_t kMaxRequestBytes = (size_t(1) << 20) + 4096 + 1024;
// What the worker sends once, when it is ready for requests (in its sandbox).
constexpr char kReady[] = "AMPORA-WORKER-READY";
constexpr size_t kReadyLength = sizeof kReady - 1;

// What one evaluation's console lines may add up to.
constexpr size_t kConsoleBytesPerEvaluation = 64 * 1024;

enum class Op : std::uint32_t { Evaluate = 1, ClosePage = 2 };

struct Request {
    Op op = Op::Evaluate;
    std::uint32_t page = 0;
    bool freshPage = false;  // the client loaded a page since its last evaluation
    std::uint32_t limitMs = 250;
    std::string script;
};

struct Reply {
    EvaluationOutcome outcome;
    std::string value;
    // When `value` is a data URL of a PNG this evaluation's canvas wrote: its
    // size; what decoding it gives is in the shared pixels (ARGB32,
    // premultiplied, rows of width * 4 bytes). 0 when they are not there.
    std::uint32_t width = 0, height = 0;
    std::vector<std::string> console;  // lines the script logged
};

std::string encode(const Request& request);
std::string encode(const Reply& reply);

// Incremental decoding: feed bytes, ask whether a whole message has arrived.
class Reader {
public:
    void append(const char* data, size_t size) { buffer_.append(data, size); }
    bool takeRequest(Request& out);
    bool takeReply(Reply& out);
    // The peer sent something that is no message of ours, or claimed one
    // larger than any it may send.
    bool corrupt() const { return corrupt_; }
    // How many more bytes the message being read needs (its header's, while
    // that is incomplete); reading no more keeps a lying peer's bytes out.
    size_t wanted() const;

private:
    std::string buffer_;
    bool corrupt_ = false;
};

// Blocking I/O on a socket; false when the peer is gone.
bool sendAll(int fd, const std::string& bytes);

}  // namespace webview::worker
