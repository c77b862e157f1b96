#include "platform/foundation/AtomicWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace foundation {
namespace {

bool writeAll(int fd, const std::string& contents) {
    const char* p = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fail(std::string* problem, const std::string& what) {
    if (problem) *problem = what + ": " + std::strerror(errno);
    return false;
}

bool isTemporarySuffix(const char* suffix) {
    if (std::strlen(suffix) != 6) return false;
    for (const char* c = suffix; *c; ++c)
        if (!std::isalnum(static_cast<unsigned char>(*c))) return false;
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* problem) {
    if (path.empty()) {
        if (problem) *problem = "no path given";
        return false;
    }
    std::string pattern = path + ".tmp.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return fail(problem, "cannot create a temporary file in " + folderOf(path));

    mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && writeAll(fd, contents) && ::fsync(fd) == 0;
    if (!ok) fail(problem, std::string("cannot write ") + name.data());
    if (::close(fd) != 0 && ok) ok = fail(problem, std::string("cannot close ") + name.data());
    if (ok && ::rename(name.data(), path.c_str()) != 0) ok = fail(problem, "cannot rename the new file over " + path);
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    // The rename itself must reach the disk too, or a crash could bring the old file back.
    int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void removeStaleTemporaries(const std::string& path, std::chrono::seconds age) {
    const std::string folder = folderOf(path), prefix = baseNameOf(path) + ".tmp.";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        if (!isTemporarySuffix(entry->d_name + prefix.size())) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
        if (now - info.st_mtime > age.count()) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool writeOutputFile(const std::string& path, const std::string& contents, std::string& problem) {
    if (path == "-") {
        if (!writeAll(STDOUT_FILENO, contents)) return fail(&problem, "cannot write to standard output");
        return true;
    }
    struct stat info {};
    const bool missing = ::stat(path.c_str(), &info) != 0;
    if (missing && errno != ENOENT) return fail(&problem, "cannot look at " + path);
    if (!missing && S_ISDIR(info.st_mode)) {
        problem = path + " is a folder";
        return false;
    }
    if (missing || S_ISREG(info.st_mode)) {
        // Through a symbolic link, the file it points to is the one replaced.
        char resolved[PATH_MAX];
        const bool link = ::realpath(path.c_str(), resolved) != nullptr;
        return writeFileAtomically(link ? std::string(resolved) : path, contents, &problem);
    }
    // A device or FIFO is written in place; without a reader a FIFO would block forever.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO) {
            problem = path + " is a FIFO that nobody reads";
            return false;
        }
        return fail(&problem, "cannot open " + path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool ok = writeAll(fd, contents) || fail(&problem, "cannot write " + path);
    if (::close(fd) != 0 && ok) ok = fail(&problem, "cannot close " + path);
    return ok;
}

}  // namespace foundation
