#include "platform/webview/Sandbox.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <initializer_list>

#include "platform/webview/SandboxFiles.h"

namespace webview {
namespace {

// The list is what the worker was seen to call once sandboxed, over the test
// suite's themes (hostile ones included), plus the C library's quieter needs:
//   AMPORA_THEME_WORKER=w.sh build/tests/webview_tests
// with w.sh: exec strace -f -qq -o /tmp/t.$$ build/platform/ampora-theme-worker
// and the calls after the first seccomp( line of each trace counted.
bool addRules(scmp_filter_ctx filter) {
    int failed = 0;
    auto allow = [&](int call, std::initializer_list<scmp_arg_cmp> args = {}) {
        if (call < 0) return;  // not on this architecture
        failed |= seccomp_rule_add_array(filter, SCMP_ACT_ALLOW, call, unsigned(args.size()), args.begin());
    };
    for (int call :
         {SCMP_SYS(read), SCMP_SYS(pread64), SCMP_SYS(readv), SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(close),
          SCMP_SYS(lseek), SCMP_SYS(fstat), SCMP_SYS(newfstatat), SCMP_SYS(statx), SCMP_SYS(access),
          SCMP_SYS(faccessat), SCMP_SYS(faccessat2), SCMP_SYS(getdents64), SCMP_SYS(readlink), SCMP_SYS(readlinkat),
          SCMP_SYS(fcntl), SCMP_SYS(dup), SCMP_SYS(poll), SCMP_SYS(ppoll), SCMP_SYS(recvfrom), SCMP_SYS(sendto),
          SCMP_SYS(recvmsg), SCMP_SYS(sendmsg), SCMP_SYS(mmap), SCMP_SYS(munmap), SCMP_SYS(mprotect),
          SCMP_SYS(mremap), SCMP_SYS(madvise), SCMP_SYS(brk), SCMP_SYS(futex), SCMP_SYS(futex_waitv),
          SCMP_SYS(set_robust_list), SCMP_SYS(rseq), SCMP_SYS(sched_yield), SCMP_SYS(sched_getaffinity),
          SCMP_SYS(sched_getparam), SCMP_SYS(sched_getscheduler), SCMP_SYS(membarrier), SCMP_SYS(rt_sigprocmask),
          SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigreturn), SCMP_SYS(rt_sigsuspend), SCMP_SYS(sigaltstack),
          SCMP_SYS(restart_syscall), SCMP_SYS(clock_gettime), SCMP_SYS(clock_getres), SCMP_SYS(gettimeofday),
          SCMP_SYS(clock_nanosleep), SCMP_SYS(nanosleep), SCMP_SYS(getrandom), SCMP_SYS(getpid), SCMP_SYS(gettid),
          SCMP_SYS(getuid), SCMP_SYS(geteuid), SCMP_SYS(getgid), SCMP_SYS(getegid), SCMP_SYS(uname),
          SCMP_SYS(getrusage), SCMP_SYS(sysinfo), SCMP_SYS(exit), SCMP_SYS(exit_group)})
        allow(call);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers test whether memory is readable by writing it into a pipe;
    // only the sanitizer build needs one.
    allow(SCMP_SYS(pipe));
    allow(SCMP_SYS(pipe2));
#endif
    // Opening for reading only (Landlock then says where).
    allow(SCMP_SYS(openat), {SCMP_A2(SCMP_CMP_MASKED_EQ, unsigned(O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND), 0)});
    // Threads only: no flag set may be one that makes a process.
    allow(SCMP_SYS(clone), {SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)});
    // Signals to this process's own threads (JavaScriptCore stops them to collect garbage).
    const auto self = scmp_datum_t(::getpid());
    allow(SCMP_SYS(tgkill), {SCMP_A0(SCMP_CMP_EQ, self)});
    allow(SCMP_SYS(kill), {SCMP_A0(SCMP_CMP_EQ, self)});
    allow(SCMP_SYS(rt_tgsigqueueinfo), {SCMP_A0(SCMP_CMP_EQ, self)});
    allow(SCMP_SYS(prctl), {SCMP_A0(SCMP_CMP_EQ, PR_SET_NAME)});
    allow(SCMP_SYS(prctl), {SCMP_A0(SCMP_CMP_EQ, PR_GET_NAME)});
    // JavaScriptCore's helper threads lower their own priority this way.
    allow(SCMP_SYS(sched_setscheduler), {SCMP_A1(SCMP_CMP_EQ, SCHED_OTHER | SCHED_RESET_ON_FORK)});
    allow(SCMP_SYS(prlimit64), {SCMP_A0(SCMP_CMP_EQ, 0), SCMP_A2(SCMP_CMP_EQ, 0)});
    // Arguments behind a pointer cannot be inspected: glibc falls back to the
    // older calls, whose flags can.
    for (int call : {SCMP_SYS(clone3), SCMP_SYS(openat2)})
        failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), call, 0);
    // Starting another program is never a theme's business: the worker dies.
    for (int call : {SCMP_SYS(execve), SCMP_SYS(execveat)})
        failed |= seccomp_rule_add(filter, SCMP_ACT_KILL_PROCESS, call, 0);
    return failed == 0;
}

bool closeSystemCalls(std::string& why) {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ERRNO(EPERM));
    if (!filter) return why = "seccomp_init failed", false;
    bool ok = addRules(filter);
    if (!ok) why = "a seccomp rule could not be added";
    // Every thread, the ones start-up made included.
    else if (seccomp_attr_set(filter, SCMP_FLTATR_CTL_TSYNC, 1) != 0) ok = false, why = "seccomp cannot sync threads";
    else if (int rc = seccomp_load(filter); rc != 0) ok = false, why = std::string("seccomp_load: ") + std::strerror(-rc);
    seccomp_release(filter);
    return ok;
}

enum class ThreadFilter { Filtered, Unfiltered, Gone };

// Plain reads: the worker's own descriptors, no stream machinery inside the sandbox.
ThreadFilter threadFilter(const char* task) {
    const std::string path = std::string("/proc/self/task/") + task + "/status";
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ThreadFilter::Gone;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    ::close(fd);
    auto field = [&](const char* name) {
        const auto at = text.find(std::string("\n") + name);
        if (at == std::string::npos) return std::string();
        const auto end = text.find('\n', at + 1);
        return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    };
    if (text.empty() || field("State:").find_first_of("ZX") != std::string::npos) return ThreadFilter::Gone;
    const bool filtered = field("Seccomp:").find('2') != std::string::npos;
    const bool noNewPrivs = field("NoNewPrivs:").find('1') != std::string::npos;
    return filtered && noNewPrivs ? ThreadFilter::Filtered : ThreadFilter::Unfiltered;
}

}  // namespace

bool everyThreadFiltered(std::string& why) {
    DIR* tasks = ::opendir("/proc/self/task");
    if (!tasks) return why = "cannot list /proc/self/task", false;
    bool ok = true;
    while (dirent* task = ::readdir(tasks)) {
        if (task->d_name[0] == '.') continue;
        // The kernel does not filter a thread that is already exiting, and such
        // a thread can still be listed, unfiltered, for a moment. It never runs
        // user code again, so wait for it to go; one still there after 200 ms
        // is a real hole.
        ThreadFilter state = threadFilter(task->d_name);
        for (int look = 0; state == ThreadFilter::Unfiltered && look < 40; ++look) {
            const timespec pause{0, 5'000'000};
            ::nanosleep(&pause, nullptr);
            state = threadFilter(task->d_name);
        }
        if (state == ThreadFilter::Unfiltered) ok = false, why = std::string("thread ") + task->d_name + " is not filtered";
    }
    ::closedir(tasks);
    return ok;
}

bool enterSandbox(const std::function<void()>& startUp, std::string& why) {
    if (!sandbox::limitResources(why) || !sandbox::confineFiles(why)) return false;
    if (startUp) startUp();
    return closeSystemCalls(why) && everyThreadFiltered(why);
}

}  // namespace webview
