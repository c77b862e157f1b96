#include "platform/uikit/services/URLOpener.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

#include "platform/foundation/Log.h"

extern char** environ;

namespace uikit {
namespace {

std::shared_ptr<URLOpener>& shared() {
    static auto* opener = new std::shared_ptr<URLOpener>(std::make_shared<XdgURLOpener>());
    return *opener;
}

bool isSchemeName(const std::string& s) {
    if (s.empty() || !std::isalpha((unsigned char)s[0])) return false;
    for (char c : s)
        if (!std::isalnum((unsigned char)c) && c != '+' && c != '-' && c != '.') return false;
    return true;
}

// Runs a program and returns what it printed, giving up after `timeout`.
std::string capture(const std::string& program, std::vector<std::string> args, std::chrono::milliseconds timeout) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return {};
    }
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) {
            kill(pid, SIGKILL);
            out.clear();
            break;
        }
        char buf[512];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        if (out.size() < 4096) out.append(buf, size_t(n));
    }
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return out;
}

}  // namespace

std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty()) {
            const std::string candidate = dir + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool XdgURLOpener::openURL(const NSURL& url) {
    const std::string opener = findOnPath("xdg-open");
    if (opener.empty()) {
        foundation::logLine("AMPORA: no xdg-open on PATH to open " + url.absoluteString());
        return false;
    }
    std::string arg0 = opener, arg1 = url.absoluteString();
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    // Twice forked, so the handler outlives us and never becomes our zombie.
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) dup2(null, STDIN_FILENO);
            execv(argv[0], argv);
            _exit(127);
        }
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return true;
}

bool XdgURLOpener::canOpenScheme(const std::string& scheme) {
    if (!isSchemeName(scheme)) return false;
    if (scheme == "http" || scheme == "https" || scheme == "mailto") return !findOnPath("xdg-open").empty();
    const std::string mime = findOnPath("xdg-mime");
    if (mime.empty()) return false;
    const std::string answer =
        capture(mime, {"query", "default", "x-scheme-handler/" + scheme}, std::chrono::milliseconds(2000));
    return answer.find_first_not_of(" \t\r\n") != std::string::npos;
}

bool RecordingURLOpener::openURL(const NSURL& url) {
    opened_.push_back(url.absoluteString());
    return true;
}

URLOpener& sharedURLOpener() { return *shared(); }

void setSharedURLOpener(std::shared_ptr<URLOpener> opener) {
    shared() = opener ? std::move(opener) : std::make_shared<XdgURLOpener>();
}

}  // namespace uikit
