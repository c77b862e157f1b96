#pragma once
// What a theme worker may do once it is ready: no new programs, no sockets, no
// files opened for writing or changed. Installed after start-up, which still
// reads fonts and configuration.

#include <string>

namespace webview {

// false with a reason when the filter could not be installed.
bool enterSandbox(std::string& why);

}  // namespace webview
