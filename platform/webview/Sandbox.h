#pragma once
// The theme worker's sandbox: a read-only file system (where the kernel has
// Landlock), tight resource limits, then a system-call allow list on every
// thread. Whatever is not on the list fails with EPERM; starting a program
// kills the worker.

#include <functional>
#include <string>

namespace webview {

// Call while the process has one thread. `startUp` runs between the file
// wall and the system-call filter: it may start threads and read fonts, and
// its threads are filtered as well. false with a reason when a wall could not
// be built or a thread is found without the filter; the caller must not run.
bool enterSandbox(const std::function<void()>& startUp, std::string& why);

// Every task in /proc/self/task reports the filter and no-new-privileges.
bool everyThreadFiltered(std::string& why);

}  // namespace webview
