#include "tests/support/CommandRun.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

CommandRun runCommand(const std::string& program, const std::string& arguments) {
    const std::string command = "'" + program + "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    CommandRun run{-1, {}};
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
