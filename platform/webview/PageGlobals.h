#pragma once

#include <JavaScriptCore/JavaScript.h>

#include <functional>
#include <string>

namespace webview {

// Gives a new page its document, window, self, console, Image, Path2D and DOMException,
// built natively (no page script runs), and removes what a theme has no use
// for (WebAssembly). Every object and prototype is the page's own.
void installPage(JSGlobalContextRef page);

// Where console.log lines go; by default the system log.
void setConsoleSink(std::function<void(const std::string& line)> sink);

}  // namespace webview
