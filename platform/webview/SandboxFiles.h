#pragma once
// The sandbox's file-system wall (Landlock) and its resource limits. Landlock
// binds only the thread that asks for it and the threads it starts later, so
// this must run while the process still has a single thread.

#include <string>

namespace webview::sandbox {

// Confines this process to reading the fonts, fontconfig's files, the library
// folders and its own /proc entries; no writing anywhere; no signals, no
// abstract sockets and no ptrace access outside itself. false with a reason
// when the process has more than one thread or the kernel refused a rule.
// A kernel without Landlock is logged once and passes.
bool confineFiles(std::string& why);

// No new processes or threads past what the worker needs, few descriptors,
// and no file may grow.
bool limitResources(std::string& why);

}  // namespace webview::sandbox
