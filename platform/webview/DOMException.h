#pragma once

#include <stdexcept>
#include <string>

namespace webview {

// Thrown by canvas operations; the script sees it as a DOMException or TypeError.
struct DOMException : std::runtime_error {
    DOMException(std::string name, const std::string& message) : std::runtime_error(message), name(std::move(name)) {}
    std::string name;  // "IndexSizeError", "InvalidStateError", "TypeError", "NotSupportedError", ...
};

}  // namespace webview
