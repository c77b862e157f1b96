#pragma once

#include <JavaScriptCore/JavaScript.h>

namespace webview {

// Installs document, window, self, console, Image and DOMException into a fresh
// page, and returns its reset function: a call puts the page's global scope
// back as it was installed and answers whether that fully succeeded (false:
// the page must be replaced). nullptr when installing failed.
JSObjectRef installPage(JSGlobalContextRef page);

}  // namespace webview
