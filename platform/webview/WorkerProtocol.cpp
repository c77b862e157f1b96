#include "platform/webview/WorkerProtocol.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace webview::worker {
namespace {

constexpr std::uint32_t kRequestMagic = 0x41525131, kReplyMagic = 0x41525031;

void put32(std::string& out, std::uint32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }
void put64(std::string& out, std::uint64_t v) { out.append(reinterpret_cast<const char*>(&v), 8); }
void putBytes(std::string& out, const std::string& s) {
    put64(out, s.size());
    out += s;
}

// Reads fields front to back; fails (and stays failed) when the bytes run out.
struct Cursor {
    const std::string& data;
    size_t at = 0;
    bool ok = true;

    std::uint32_t u32() {
        std::uint32_t v = 0;
        if (!(ok = ok && at + 4 <= data.size())) return 0;
        std::memcpy(&v, data.data() + at, 4);
        at += 4;
        return v;
    }
    std::uint64_t u64() {
        std::uint64_t v = 0;
        if (!(ok = ok && at + 8 <= data.size())) return 0;
        std::memcpy(&v, data.data() + at, 8);
        at += 8;
        return v;
    }
    std::string bytes() {
        const std::uint64_t n = u64();
        if (!(ok = ok && n <= data.size() - at)) return {};
        std::string s = data.substr(at, n);
        at += n;
        return s;
    }
};

// Every message starts with its magic and its total length, so a reader knows
// when it has all of it before parsing.
std::string frame(std::uint32_t magic, const std::string& body) {
    std::string out;
    out.reserve(body.size() + 12);
    put32(out, magic);
    put64(out, body.size());
    return out + body;
}

bool unframe(std::string& buffer, std::uint32_t magic, size_t limit, std::string& body, bool& corrupt) {
    if (buffer.size() < 12) return false;
    std::uint32_t m;
    std::uint64_t n;
    std::memcpy(&m, buffer.data(), 4);
    std::memcpy(&n, buffer.data() + 4, 8);
    if (m != magic || n > limit) {
        corrupt = true;
        return false;
    }
    if (buffer.size() - 12 < n) return false;
    body = buffer.substr(12, n);
    buffer.erase(0, 12 + n);
    return true;
}

}  // namespace

std::string encode(const Request& r) {
    std::string body;
    put32(body, std::uint32_t(r.op));
    put32(body, r.page);
    put32(body, r.freshPage);
    put32(body, r.limitMs);
    putBytes(body, r.script);
    return frame(kRequestMagic, body);
}

std::string encode(const Reply& r) {
    std::string body;
    put32(body, std::uint32_t(r.outcome.kind));
    put32(body, std::uint32_t(r.outcome.line));
    putBytes(body, r.outcome.message);
    putBytes(body, r.value);
    put32(body, r.width);
    put32(body, r.height);
    put32(body, std::uint32_t(r.console.size()));
    for (const auto& line : r.console) putBytes(body, line);
    return frame(kReplyMagic, body);
}

bool Reader::takeRequest(Request& out) {
    std::string body;
    if (!unframe(buffer_, kRequestMagic, kMaxRequestBytes, body, corrupt_)) return false;
    Cursor c{body};
    out.op = Op(c.u32());
    out.page = c.u32();
    out.freshPage = c.u32() != 0;
    out.limitMs = c.u32();
    out.script = c.bytes();
    return corrupt_ = !c.ok, c.ok;
}

bool Reader::takeReply(Reply& out) {
    std::string body;
    if (!unframe(buffer_, kReplyMagic, kMaxReplyBytes, body, corrupt_)) return false;
    Cursor c{body};
    out.outcome.kind = EvaluationOutcome::Kind(c.u32());
    out.outcome.line = int(c.u32());
    out.outcome.message = c.bytes();
    out.value = c.bytes();
    out.width = c.u32();
    out.height = c.u32();
    const std::uint32_t lines = c.u32();
    for (std::uint32_t i = 0; i < lines && c.ok; ++i) out.console.push_back(c.bytes());
    if (out.width > 4096 || out.height > 4096 || size_t(out.width) * out.height * 4 > kPixelBytes)
        out.width = out.height = 0;
    corrupt_ = !c.ok;
    return c.ok;
}

size_t Reader::wanted() const {
    if (buffer_.size() < 12) return 12 - buffer_.size();
    std::uint64_t n;
    std::memcpy(&n, buffer_.data() + 4, 8);
    return n + 12 > buffer_.size() ? size_t(n + 12 - buffer_.size()) : 0;
}

bool sendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += size_t(n);
    }
    return true;
}

}  // namespace webview::worker
