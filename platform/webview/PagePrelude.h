#pragma once

#include <JavaScriptCore/JavaScript.h>

#include <functional>
#include <string>

namespace webview {

// Installs document, window, self, console, Image and DOMException into a new
// page and removes what a theme has no use for (WebAssembly).
void installPage(JSGlobalContextRef page);

// Where console.log lines go; by default the system log.
void setConsoleSink(std::function<void(const std::string& line)> sink);

}  // namespace webview
