#pragma once
// Every program answers `--version` alike: its name and the project's one
// version number, which CMake sets.

#include <cstdio>
#include <cstring>

namespace foundation {

// True when the only argument is --version, which it has then answered.
inline bool answeredVersion(int argc, char** argv, const char* program) {
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0) return false;
    std::printf("%s %s\n", program, AMPORA_VERSION);
    return true;
}

}  // namespace foundation
