#include "platform/notify/NotifyCenter.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/notify/RunLoop.h"

namespace notify {
namespace {

// Names become file names: "/" and "%" are escaped, nothing else is special.
std::string fileNameFor(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c == '/') out += "%2F";
        else if (c == '%') out += "%25";
        else out += c;
    }
    return out.empty() || out == "." || out == ".." ? "%" + out : out;
}

std::string nameForFile(const std::string& file) {
    std::string out;
    for (size_t i = 0; i < file.size(); ++i) {
        if (file.compare(i, 3, "%2F") == 0) out += '/', i += 2;
        else if (file.compare(i, 3, "%25") == 0) out += '%', i += 2;
        else if (i == 0 && file[i] == '%') continue;
        else out += file[i];
    }
    return out;
}

// The folder must be ours alone, or another user could watch or forge posts.
bool ensurePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        foundation::logLine("AMPORA: cannot create " + folder + ": " + std::strerror(errno));
        return false;
    }
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077)) {
        foundation::logLine("AMPORA: refusing notification folder " + folder + " (not a private folder of this user)");
        return false;
    }
    return true;
}

}  // namespace

std::string DarwinNotifyCenter::folder() {
    if (const char* dir = std::getenv("AMPORA_NOTIFY_DIR"); dir && *dir) return dir;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string base = runtime && *runtime ? runtime : "/tmp";
    return base + "/ampora-notify-" + std::to_string(::getuid());
}

DarwinNotifyCenter& DarwinNotifyCenter::shared() {
    static auto* center = new DarwinNotifyCenter();
    return *center;
}

bool DarwinNotifyCenter::startListening() {
    if (inotifyFd_ >= 0) return true;
    const std::string dir = folder();
    if (!ensurePrivateFolder(dir)) return false;
    inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd_ < 0 || ::inotify_add_watch(inotifyFd_, dir.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
        foundation::logLine("AMPORA: cannot watch " + dir + ": " + std::strerror(errno));
        if (inotifyFd_ >= 0) ::close(inotifyFd_);
        inotifyFd_ = -1;
        return false;
    }
    readerToken_ = RunLoop::main().addReader(inotifyFd_, [this] { readEvents(); });
    return true;
}

void DarwinNotifyCenter::readEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    const bool wasQuiet = pending_.empty();
    for (;;) {
        const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0) pending_.insert(nameForFile(event->name));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    // A burst of posts is heard once: observers run a moment after the first
    // post, with every name that arrived until then.
    if (wasQuiet && !pending_.empty())
        RunLoop::main().addTimer(kCoalescingWindow, false, [this] { deliverPending(); });
}

void DarwinNotifyCenter::deliverPending() {
    std::set<std::string> posted;
    posted.swap(pending_);
    for (const auto& name : posted) {
        // Copied: an observer may add or remove observers.
        std::vector<Observer> hearing;
        for (const auto& [token, observer] : observers_)
            if (observer.first == name) hearing.push_back(observer.second);
        for (const auto& observer : hearing) observer(name);
    }
}

int DarwinNotifyCenter::addObserver(const std::string& name, Observer observer) {
    if (!startListening()) return 0;
    const int token = nextToken_++;
    observers_[token] = {name, std::move(observer)};
    return token;
}

void DarwinNotifyCenter::removeObserver(int token) { observers_.erase(token); }

bool DarwinNotifyCenter::post(const std::string& name) {
    const std::string dir = folder();
    if (!ensurePrivateFolder(dir)) return false;
    const std::string path = dir + "/" + fileNameFor(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        foundation::logLine("AMPORA: cannot post " + name + ": " + std::strerror(errno));
        return false;
    }
    return ::close(fd) == 0;
}

}  // namespace notify
