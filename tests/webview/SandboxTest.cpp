// The worker's sandbox, entered by a child of the test through the worker's
// own function: every forbidden call fails, on the main thread and on a
// thread that was started before the filter closed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/io_uring.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/webview/Sandbox.h"
#include "tests/support/TempPreferences.h"

namespace {

struct Forbidden {
    const char* name;
    std::function<bool()> succeeded;
};

// Calls a theme must never make; each says whether it got through.
std::vector<Forbidden> forbiddenCalls(const std::string& userFile, const std::string& newFile, pid_t parent) {
    const int readOnly = ::open(userFile.c_str(), O_RDONLY);  // before the walls, as an inherited descriptor
    return {
        {"open a user's file", [=] { return ::open(userFile.c_str(), O_RDONLY) >= 0; }},
        {"open for writing", [=] { return ::open(userFile.c_str(), O_RDWR) >= 0; }},
        {"create a file", [=] { return ::open(newFile.c_str(), O_WRONLY | O_CREAT, 0644) >= 0; }},
        {"unlink", [=] { return ::unlink(userFile.c_str()) == 0; }},
        {"rename", [=] { return ::rename(userFile.c_str(), newFile.c_str()) == 0; }},
        {"open the host's memory",
         [=] { return ::open(("/proc/" + std::to_string(parent) + "/mem").c_str(), O_RDONLY) >= 0; }},
        {"io_uring_setup", [] {
             io_uring_params p{};
             return ::syscall(SYS_io_uring_setup, 4, &p) >= 0;
         }},
        {"pidfd_open", [=] { return ::syscall(SYS_pidfd_open, parent, 0) >= 0; }},
        {"pidfd_getfd", [] { return ::syscall(SYS_pidfd_getfd, 0, 1, 0) >= 0; }},
        {"process_vm_readv", [=] {
             char buffer[8];
             iovec local{buffer, 8}, remote{buffer, 8};
             return ::syscall(SYS_process_vm_readv, parent, &local, 1, &remote, 1, 0) >= 0;
         }},
        {"ptrace attach", [=] { return ::ptrace(PTRACE_ATTACH, parent, nullptr, nullptr) == 0; }},
        {"kill the host", [=] { return ::kill(parent, 0) == 0; }},
        {"kill the process group", [] { return ::kill(0, 0) == 0; }},
        {"tgkill the host", [=] { return ::syscall(SYS_tgkill, parent, parent, 0) == 0; }},
        {"fchmod", [=] { return ::fchmod(readOnly, 0777) == 0; }},
        {"fchown", [=] { return ::fchown(readOnly, ::getuid(), ::getgid()) == 0; }},
        {"fsetxattr", [=] { return ::fsetxattr(readOnly, "user.x", "1", 1, 0) == 0; }},
        // Through syscall(): glibc declares the path non-null, and a null path is what touches the descriptor.
        {"utimensat", [=] { return ::syscall(SYS_utimensat, readOnly, nullptr, nullptr, 0) == 0; }},
        {"open_by_handle_at", [] { return ::syscall(SYS_open_by_handle_at, AT_FDCWD, nullptr, O_WRONLY) >= 0; }},
        {"mount", [] { return ::mount("none", "/tmp", "tmpfs", 0, nullptr) == 0; }},
        {"umount2", [] { return ::umount2("/tmp", MNT_DETACH) == 0; }},
        {"pivot_root", [] { return ::syscall(SYS_pivot_root, "/", "/") == 0; }},
        {"bpf", [] { return ::syscall(SYS_bpf, 0, nullptr, 0) >= 0; }},
        {"perf_event_open", [] { return ::syscall(SYS_perf_event_open, nullptr, 0, -1, -1, 0) >= 0; }},
        {"userfaultfd", [] { return ::syscall(SYS_userfaultfd, 0) >= 0; }},
        {"socket AF_UNIX", [] { return ::socket(AF_UNIX, SOCK_STREAM, 0) >= 0; }},
        {"socket AF_INET", [] { return ::socket(AF_INET, SOCK_STREAM, 0) >= 0; }},
        {"socketpair", [] {
             int fds[2];
             return ::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0;
         }},
        {"fork", [] {
             const pid_t child = ::fork();
             if (child == 0) ::_exit(0);
             return child > 0;
         }},
        {"clone3 of a process", [] {
             struct { std::uint64_t flags, pidfd, child_tid, parent_tid, exit_signal, stack, stack_size, tls; } args{};
             args.exit_signal = SIGCHLD;
             const long child = ::syscall(SYS_clone3, &args, sizeof args);
             if (child == 0) ::_exit(0);
             return child > 0;
         }},
    };
}

// Runs every forbidden call in a sandboxed child, from its main thread and from
// a thread started before the filter; the child writes the names of the calls
// that got through, and exits 100 when it could not enter the sandbox.
std::string callsThatGotThrough(const std::string& userFile, const std::string& newFile) {
    int out[2];
    if (::pipe(out) != 0) return "pipe failed";
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        auto calls = forbiddenCalls(userFile, newFile, parent);
        std::string through;
        pthread_mutex_t go = PTHREAD_MUTEX_INITIALIZER;
        pthread_mutex_lock(&go);
        struct Shared { pthread_mutex_t* go; std::vector<Forbidden>* calls; std::string* through; } shared{&go, &calls, &through};
        pthread_t early{};
        std::string why;
        const bool entered = webview::enterSandbox([&] {
            pthread_create(&early, nullptr, [](void* p) -> void* {
                auto* s = static_cast<Shared*>(p);
                pthread_mutex_lock(s->go);
                for (auto& call : *s->calls)
                    if (call.succeeded()) *s->through += std::string(call.name) + " (early thread); ";
                return nullptr;
            }, &shared);
        }, why);
        if (!entered) {
            (void)!::write(out[1], why.data(), why.size());
            ::_exit(100);
        }
        pthread_mutex_unlock(&go);
        pthread_join(early, nullptr);
        for (auto& call : calls)
            if (call.succeeded()) through += std::string(call.name) + " (main thread); ";
        (void)!::write(out[1], through.data(), through.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, size_t(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the sandboxed child failed: " + report;
    return report;
}

template <class F>
int inSandbox(F body) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::string why;
        if (!webview::enterSandbox(nullptr, why)) ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

TEST(Sandbox, EveryForbiddenCallFailsOnEveryThread) {
    TempPreferences prefs;
    const std::string existing = prefs.root() + "/existing", created = prefs.root() + "/created";
    prefs.writeFile(existing, "kept");
    EXPECT_EQ(callsThatGotThrough(existing, created), "");
    EXPECT_FALSE(std::filesystem::exists(created));
    EXPECT_EQ(prefs.readFile(existing), "kept");
}

TEST(Sandbox, ThreadsStartAndProgramsKill) {
    EXPECT_EQ(inSandbox([] {
        pthread_t t;
        return pthread_create(&t, nullptr, [](void*) -> void* { return nullptr; }, nullptr) == 0 &&
                       pthread_join(t, nullptr) == 0 ? 0 : 1;
    }), 0) << "a theme's engine still starts threads";
    EXPECT_EQ(inSandbox([] { return ::open("/proc/self/status", O_RDONLY) >= 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([] {
        char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
        ::execv("/bin/true", argv);
        return 1;
    }), 128 + SIGSYS) << "starting a program kills the worker";
}

TEST(Sandbox, RefusesWhenAThreadPredatesTheFileWall) {
    EXPECT_EQ(inSandbox([] { return 0; }), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        pthread_t t;
        pthread_create(&t, nullptr, [](void*) -> void* { ::pause(); return nullptr; }, nullptr);
        std::string why;
        ::_exit(webview::enterSandbox(nullptr, why) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The engine's start-up starts helper threads that may end at any moment; one
// caught ending while the filter closes can no longer run code and must not
// make the worker refuse to start.
TEST(Sandbox, ThreadsEndingDuringStartUpAreNotCountedAsUnfiltered) {
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::string why;
            const bool entered = webview::enterSandbox([] {
                for (int i = 0; i < 32; ++i) {
                    pthread_t t;
                    if (pthread_create(&t, nullptr, [](void*) -> void* { return nullptr; }, nullptr) == 0)
                        pthread_detach(t);
                }
            }, why);
            if (!entered) (void)!::write(2, why.data(), why.size());
            ::_exit(entered ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
}
