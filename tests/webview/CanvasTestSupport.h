#pragma once
// Draw with a script, then look at the pixels it produced.

#include <array>
#include <string>
#include <vector>

#include "platform/webview/WebView.h"

struct Pixels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;  // not premultiplied

    std::array<int, 4> at(int x, int y) const;
    int alpha(int x, int y) const { return at(x, y)[3]; }
    // Pixels whose alpha is at least `threshold`.
    int countOpaque(int threshold = 128) const;
    bool empty() const { return width == 0; }
};

// Decodes the PNG of a data URL; empty when it is none.
Pixels pixelsFromDataURL(const std::string& url);

// Evaluates `body` with `c` (a W×H canvas) and `x` (its context) in scope and
// returns what the canvas holds afterwards.
Pixels draw(webview::UIWebView& page, int width, int height, const std::string& body);

// One page shared by a test suite, reset before each use as the engine does.
webview::UIWebView& sharedPage();
std::string evaluate(const std::string& script);
