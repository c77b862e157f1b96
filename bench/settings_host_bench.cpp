// A cold ampora-settings from start to written PNG, as `--page CLASS
// --screenshot FILE` runs it with no display on a fresh preferences root.
//   settings_host_bench [ROUNDS] [ARGUMENTS...]
// ARGUMENTS replace the default "--page QVAXSettingsMainController".
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/MedianTime.h"

extern char** environ;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<std::string> args{SETTINGS_BINARY};
    if (argc > 2) args.insert(args.end(), argv + 2, argv + argc);
    else args.insert(args.end(), {"--page", "QVAXSettingsMainController"});

    std::string pattern = (fs::temp_directory_path() / "ampora-bench-XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    const std::string picture = root + "/shot.png";
    args.insert(args.end(), {"--root", root + "/prefs", "--screenshot", picture});
    std::vector<char*> argvOut;
    for (auto& a : args) argvOut.push_back(a.data());
    argvOut.push_back(nullptr);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");

    int failures = 0;
    const double median = medianMicroseconds(rounds, [&](int) {
        std::error_code error;
        fs::remove_all(root + "/prefs", error);
        pid_t pid = -1;
        int status = 0;
        if (posix_spawn(&pid, argvOut[0], nullptr, nullptr, argvOut.data(), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !fs::exists(picture))
            ++failures;
    });
    std::error_code error;
    fs::remove_all(root, error);
    std::printf("ampora-settings cold start to written PNG: median %.1f ms over %d rounds%s\n", median / 1000, rounds,
                failures ? " (some rounds FAILED: run the command by hand to see why)" : "");
    return failures ? 1 : 0;
}
