#include "platform/webview/Sandbox.h"

#include <fcntl.h>
#include <seccomp.h>
#include <sched.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace webview {

bool enterSandbox(std::string& why) {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    if (!filter) return why = "seccomp_init failed", false;
    int failed = 0;
    auto deny = [&](int syscall, unsigned action) { failed |= seccomp_rule_add(filter, action, syscall, 0); };

    // Starting another program is never a theme's business: the worker dies.
    for (int call : {SCMP_SYS(execve), SCMP_SYS(execveat)}) deny(call, SCMP_ACT_KILL_PROCESS);
    for (int call : {SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind), SCMP_SYS(listen),
                     SCMP_SYS(accept), SCMP_SYS(accept4), SCMP_SYS(creat), SCMP_SYS(unlink), SCMP_SYS(unlinkat),
                     SCMP_SYS(rename), SCMP_SYS(renameat), SCMP_SYS(renameat2), SCMP_SYS(mkdir), SCMP_SYS(mkdirat),
                     SCMP_SYS(rmdir), SCMP_SYS(link), SCMP_SYS(linkat), SCMP_SYS(symlink), SCMP_SYS(symlinkat),
                     SCMP_SYS(truncate), SCMP_SYS(chmod), SCMP_SYS(fchmodat), SCMP_SYS(chown), SCMP_SYS(lchown),
                     SCMP_SYS(fchownat), SCMP_SYS(mknod), SCMP_SYS(mknodat), SCMP_SYS(ptrace),
                     SCMP_SYS(process_vm_readv), SCMP_SYS(process_vm_writev), SCMP_SYS(fork), SCMP_SYS(vfork)})
        deny(call, SCMP_ACT_ERRNO(EPERM));
    // Arguments behind a pointer cannot be inspected: glibc falls back to the
    // older calls, whose flags can.
    for (int call : {SCMP_SYS(openat2), SCMP_SYS(clone3)}) deny(call, SCMP_ACT_ERRNO(ENOSYS));
    // Threads only, no new processes.
    failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EPERM), SCMP_SYS(clone), 1,
                               SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0));
    // Reading files stays possible (fonts load lazily); any flag that writes, creates or truncates does not.
    for (int flag : {O_WRONLY, O_RDWR, O_CREAT, O_TRUNC, O_APPEND}) {
        failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(open), 1,
                                   SCMP_A1(SCMP_CMP_MASKED_EQ, unsigned(flag), unsigned(flag)));
        failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(openat), 1,
                                   SCMP_A2(SCMP_CMP_MASKED_EQ, unsigned(flag), unsigned(flag)));
    }
    if (failed) why = "a seccomp rule could not be added";
    else if (int rc = seccomp_load(filter); rc != 0) failed = 1, why = std::string("seccomp_load: ") + std::strerror(-rc);
    seccomp_release(filter);
    return failed == 0;
}

}  // namespace webview
