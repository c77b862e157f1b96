// The worker's sandbox, entered by a child of the test: what it refuses.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/webview/Sandbox.h"
#include "tests/support/TempPreferences.h"

namespace {

// Runs `body` in a sandboxed child; its exit status, or 128 + the signal that ended it.
template <class F>
int inSandbox(F body) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::string why;
        if (!webview::enterSandbox(why)) ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

TEST(Sandbox, NoWritingNoSocketsNoProgramsButReadingWorks) {
    TempPreferences prefs;
    const std::string existing = prefs.root() + "/existing", created = prefs.root() + "/created";
    prefs.writeFile(existing, "kept");

    EXPECT_EQ(inSandbox([&] {
        const int fd = ::open(existing.c_str(), O_RDONLY);
        char c;
        return fd >= 0 && ::read(fd, &c, 1) == 1 && c == 'k' ? 0 : 1;
    }), 0) << "fonts and the like can still be read";
    EXPECT_EQ(inSandbox([&] { return ::open(created.c_str(), O_WRONLY | O_CREAT, 0644) < 0 && errno == EACCES ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([&] { return ::open(existing.c_str(), O_RDWR) < 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([&] { return ::openat(AT_FDCWD, existing.c_str(), O_WRONLY | O_TRUNC) < 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([&] { return ::unlink(existing.c_str()) < 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([] { return ::socket(AF_INET, SOCK_STREAM, 0) < 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([] { return ::fork() < 0 ? 0 : 1; }), 0);
    EXPECT_EQ(inSandbox([] {
        char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
        ::execv("/bin/true", argv);
        return 1;
    }), 128 + SIGSYS) << "starting a program kills the worker";
    EXPECT_FALSE(std::filesystem::exists(created));
    EXPECT_EQ(prefs.readFile(existing), "kept");
}
