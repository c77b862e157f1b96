#include "platform/foundation/Log.h"

#include <syslog.h>
#include <unistd.h>

#include <cstdio>

namespace foundation {

void logLine(const std::string& line) {
    ::syslog(LOG_NOTICE, "%s", line.c_str());
    if (::isatty(STDERR_FILENO)) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace foundation
