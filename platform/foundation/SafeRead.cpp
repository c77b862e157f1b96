#include "platform/foundation/SafeRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/foundation/Log.h"

namespace foundation {
namespace {

std::mutex gLoggedMutex;
std::map<std::string, std::string>& logged() {
    static auto* problems = new std::map<std::string, std::string>();
    return *problems;
}

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder";
    if (S_ISFIFO(mode)) return "is a FIFO";
    if (S_ISCHR(mode)) return "is a character device";
    if (S_ISBLK(mode)) return "is a block device";
    if (S_ISSOCK(mode)) return "is a socket";
    return "is not a regular file";
}

FileRead unreadable(const std::string& path, std::string problem) {
    logUnreadableOnce(path, problem);
    return {FileRead::Status::Unreadable, {}, std::move(problem)};
}

std::string tooLarge(std::size_t limit) {
    return "is larger than the " + std::to_string(limit / 1024) + " KiB allowed";
}

}  // namespace

std::string problemClause(const std::string& problem) {
    if (problem.starts_with("is ") || problem.starts_with("does ") || problem.starts_with("holds ")) return "it " + problem;
    std::string clause = problem;
    // strerror's capital belongs to a sentence of its own, not to the middle of ours.
    if (clause.size() > 1 && std::isupper(static_cast<unsigned char>(clause[0])) &&
        std::islower(static_cast<unsigned char>(clause[1])))
        clause[0] = char(std::tolower(static_cast<unsigned char>(clause[0])));
    return clause;
}

FileRead readRegularFile(const std::string& path, std::size_t limit) noexcept {
    try {
        // O_NONBLOCK: opening a FIFO must not wait for a writer.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR) {
                forgetUnreadable(path);
                return {FileRead::Status::Missing, {}, "does not exist"};
            }
            return unreadable(path, std::strerror(errno));
        }
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        struct stat info {};
        if (::fstat(fd, &info) != 0) return unreadable(path, std::strerror(errno));
        if (!S_ISREG(info.st_mode)) return unreadable(path, std::string(kindOf(info.st_mode)) + ", not a regular file");
        if (info.st_size < 0 || std::size_t(info.st_size) > limit) return unreadable(path, tooLarge(limit));

        // Read up to one byte past the cap: the file may have grown since fstat.
        std::string bytes(std::size_t(info.st_size) + 1, '\0');
        std::size_t used = 0;
        for (;;) {
            if (used == bytes.size()) {
                if (bytes.size() > limit) return unreadable(path, tooLarge(limit));
                bytes.resize(std::min(bytes.size() * 2 + 1, limit + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
            if (n < 0) {
                if (errno == EINTR) continue;
                return unreadable(path, std::strerror(errno));
            }
            if (n == 0) break;
            used += std::size_t(n);
        }
        if (used > limit) return unreadable(path, tooLarge(limit));
        bytes.resize(used);
        forgetUnreadable(path);
        return {FileRead::Status::Read, std::move(bytes), {}};
    } catch (...) {
        return {FileRead::Status::Unreadable, {}, "out of memory"};
    }
}

void logUnreadableOnce(const std::string& path, const std::string& problem) noexcept {
    try {
        {
            std::lock_guard<std::mutex> lock(gLoggedMutex);
            auto [it, inserted] = logged().try_emplace(path, problem);
            if (!inserted && it->second == problem) return;
            it->second = problem;
        }
        logLine("AMPORA: cannot read " + path + ": " + problem);
    } catch (...) {
    }
}

void forgetUnreadable(const std::string& path) noexcept {
    try {
        std::lock_guard<std::mutex> lock(gLoggedMutex);
        logged().erase(path);
    } catch (...) {
    }
}

}  // namespace foundation
