#pragma once
// Fonts as themes name them: our own fontconfig configuration maps the Apple
// and generic family names to pinned faces, so a render does not depend on
// what else the machine has installed.

#include <pango/pangocairo.h>

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/webview/CssFont.h"

namespace webview {

// Vertical metrics a browser places baselines by, in px for the font's size.
struct FontMetrics {
    double topOffset = 0;          // alphabetic baseline below y for textBaseline "top"
    double middleOffset = 0;       // ... "middle"
    double bottomOffset = 0;       // ... "bottom" (negative: above y)
    double hangingOffset = 0;      // ... "hanging"
    double ideographicOffset = 0;  // ... "ideographic" (negative)
    double ascent = 0;             // rounded hhea ascent
    double descent = 0;            // rounded hhea descent, positive
};

// Used from the thread that evaluates scripts only.
class Fonts {
public:
    static Fonts& shared();

    // Pango lays text out at most this large (past it its integer units
    // overflow); larger text is laid out at this size and scaled up.
    static constexpr double kMaxLayoutSize = 2048;
    // What a layout of `font` must be scaled by to have the font's size.
    static double layoutScale(const FontSpec& font) {
        return font.sizePx > kMaxLayoutSize ? font.sizePx / kMaxLayoutSize : 1.0;
    }

    PangoContext* context() const { return context_; }
    // Cached per font; owned by Fonts.
    const PangoFontDescription* description(const FontSpec& font);
    FontMetrics metrics(const FontSpec& font);
    // `text` laid out on one line in `font`, shared with later calls for the
    // same text (themes measure a string, then draw it). Caller unrefs.
    PangoLayout* layout(const FontSpec& font, const std::string& text);
    // The face a family resolves to, e.g. "Liberation Sans" for "Helvetica Neue".
    std::string resolvedFamily(const std::string& family);

private:
    Fonts();
    struct CachedLayout {
        PangoLayout* layout;
        std::list<std::string>::iterator recency;
    };
    // A status bar shows a few hundred labels (levels, heights): all are kept.
    std::unordered_map<std::string, CachedLayout> layouts_;
    std::list<std::string> recency_;  // most recent first
    PangoFontMap* map_ = nullptr;
    PangoContext* context_ = nullptr;
};

}  // namespace webview
