#pragma once
// Runs one of our programs the way a person would, for tests of its command line.

#include <string>

struct CommandRun {
    int status;          // the exit status; -1 when it did not exit normally
    std::string output;  // stdout and stderr together
};

// `arguments` go to the shell as written, after the quoted program path.
CommandRun runCommand(const std::string& program, const std::string& arguments);
