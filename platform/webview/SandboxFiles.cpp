#include "platform/webview/SandboxFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <link.h>
#include <linux/landlock.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include <fontconfig/fontconfig.h>

#include "platform/foundation/Log.h"

namespace webview::sandbox {
namespace {

// The kernel's structures as of its newer ABIs; the system's headers may be older.
struct RulesetAttr {
    std::uint64_t fs = 0, net = 0, scoped = 0;
};
constexpr std::uint64_t kFsAbi1 = (1ULL << 13) - 1, kFsRefer = 1ULL << 13, kFsTruncate = 1ULL << 14,
                        kFsIoctlDev = 1ULL << 15;
constexpr std::uint64_t kNetBindTcp = 1ULL << 0, kNetConnectTcp = 1ULL << 1;
constexpr std::uint64_t kScopeAbstractUnixSocket = 1ULL << 0, kScopeSignal = 1ULL << 1;
constexpr std::uint64_t kReadFile = 1ULL << 2, kReadDir = 1ULL << 3;

int threadCount() {
    DIR* dir = ::opendir("/proc/self/task");
    if (!dir) return -1;
    int n = 0;
    while (dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') ++n;
    ::closedir(dir);
    return n;
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// What the worker reads after it is confined: libraries (the loaded ones'
// folders, and the system's for modules loaded late), fontconfig's fonts,
// caches and configuration, the time zones a Date needs, the CPU list the C
// library counts processors from, the random device, and its own /proc entries.
std::set<std::string> readablePlaces() {
    std::set<std::string> places = {"/usr/lib", "/usr/lib64", "/lib", "/lib64", "/usr/local/lib",
                                    "/usr/share/zoneinfo", "/etc/localtime", "/sys/devices/system/cpu", "/dev/urandom",
                                    "/proc/self"};
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) {
            if (info->dlpi_name && info->dlpi_name[0] == '/')
                static_cast<std::set<std::string>*>(out)->insert(parentOf(info->dlpi_name));
            return 0;
        },
        &places);
    char self[4096];
    if (const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1); n > 0)
        places.insert(parentOf(std::string(self, size_t(n))));
    if (FcConfig* config = FcInitLoadConfig()) {
        auto take = [&](FcStrList* list, bool parents) {
            if (!list) return;
            while (FcChar8* s = FcStrListNext(list)) {
                std::string path(reinterpret_cast<const char*>(s));
                if (!parents) {
                    places.insert(path);
                    continue;
                }
                // conf.d holds links into another folder.
                places.insert(parentOf(path));
                if (char* real = ::realpath(path.c_str(), nullptr)) places.insert(parentOf(real)), std::free(real);
            }
            FcStrListDone(list);
        };
        take(FcConfigGetConfigDirs(config), false);
        take(FcConfigGetFontDirs(config), false);
        take(FcConfigGetCacheDirs(config), false);
        take(FcConfigGetConfigFiles(config), true);
        FcConfigDestroy(config);
    }
    return places;
}

}  // namespace

bool confineFiles(std::string& why) {
    if (threadCount() != 1) return why = "the file system must be confined before any thread starts", false;
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return why = "PR_SET_NO_NEW_PRIVS failed", false;
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1) {
        static bool said = false;
        if (!said) foundation::logLine("ampora-theme-worker: this kernel has no Landlock; system calls alone are filtered");
        said = true;
        return true;
    }
    RulesetAttr attr;
    attr.fs = kFsAbi1 | (abi >= 2 ? kFsRefer : 0) | (abi >= 3 ? kFsTruncate : 0) | (abi >= 5 ? kFsIoctlDev : 0);
    size_t size = sizeof attr.fs;
    if (abi >= 4) attr.net = kNetBindTcp | kNetConnectTcp, size += sizeof attr.net;
    if (abi >= 6) attr.scoped = kScopeAbstractUnixSocket | kScopeSignal, size += sizeof attr.scoped;
    const int ruleset = int(::syscall(SYS_landlock_create_ruleset, &attr, size, 0));
    if (ruleset < 0) return why = std::string("landlock_create_ruleset: ") + std::strerror(errno), false;

    bool ok = true;
    for (const std::string& place : readablePlaces()) {
        const int fd = ::open(place.c_str(), O_PATH | O_CLOEXEC);
        if (fd < 0) continue;  // not on this machine
        struct stat st{};
        landlock_path_beneath_attr rule{};
        rule.parent_fd = fd;
        rule.allowed_access = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) ? kReadFile | kReadDir : kReadFile;
        if (::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) != 0)
            ok = false, why = "landlock_add_rule " + place + ": " + std::strerror(errno);
        ::close(fd);
    }
    if (ok && ::syscall(SYS_landlock_restrict_self, ruleset, 0) != 0)
        ok = false, why = std::string("landlock_restrict_self: ") + std::strerror(errno);
    ::close(ruleset);
    return ok;
}

namespace {

// Tasks of this process's real user: the kernel counts them all against RLIMIT_NPROC.
rlim_t tasksOfThisUser() {
    rlim_t tasks = 0;
    DIR* proc = ::opendir("/proc");
    if (!proc) return 0;
    const uid_t uid = ::getuid();
    while (dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
        struct stat st{};
        const std::string task = std::string("/proc/") + entry->d_name + "/task";
        // A task folder links to itself, its parent and one folder per thread.
        if (::stat(task.c_str(), &st) == 0 && st.st_uid == uid && st.st_nlink > 2) tasks += st.st_nlink - 2;
    }
    ::closedir(proc);
    return tasks;
}

bool setLimit(int resource, rlim_t value, const char* name, std::string& why) {
    rlimit current{};
    if (::getrlimit(resource, &current) == 0 && current.rlim_max != RLIM_INFINITY && current.rlim_max < value)
        value = current.rlim_max;
    const rlimit limit{value, value};
    if (::setrlimit(resource, &limit) == 0) return true;
    return why = std::string("setrlimit ") + name + ": " + std::strerror(errno), false;
}

}  // namespace

bool limitResources(std::string& why) {
    // A write past the limit then fails with EFBIG instead of killing the worker.
    ::signal(SIGXFSZ, SIG_IGN);
    // Threads JavaScriptCore starts later (its compilers, its collector) need
    // room; processes the filter refuses anyway.
    constexpr rlim_t kThreadRoom = 128, kDescriptors = 64;
    return setLimit(RLIMIT_FSIZE, 0, "RLIMIT_FSIZE", why) && setLimit(RLIMIT_NOFILE, kDescriptors, "RLIMIT_NOFILE", why) &&
           setLimit(RLIMIT_NPROC, tasksOfThisUser() + kThreadRoom, "RLIMIT_NPROC", why) &&
           setLimit(RLIMIT_CORE, 0, "RLIMIT_CORE", why);
}

}  // namespace webview::sandbox
