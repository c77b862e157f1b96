#pragma once
// Text with runs of font and color, and how it is laid out and drawn.

#include <cairo.h>
#include <pango/pango.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/drawing/UIColor.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

enum class NSTextAlignment { Left, Center, Right, Justified, Natural };

class NSAttributedString {
public:
    struct Run {
        size_t start = 0, length = 0;  // bytes of the UTF-8 text
        UIFontPtr font;                // nullptr: the drawer's default font
        std::optional<UIColor> color;  // nullopt: the drawer's default color
    };

    NSAttributedString() = default;
    explicit NSAttributedString(std::string text, UIFontPtr font = nullptr, std::optional<UIColor> color = {});

    const std::string& string() const { return text_; }
    const std::vector<Run>& runs() const { return runs_; }
    size_t length() const { return text_.size(); }
    void append(const NSAttributedString& other);
    // Sets font and color over [start, start + length) of the bytes.
    void addAttributes(size_t start, size_t length, UIFontPtr font, std::optional<UIColor> color);

    bool operator==(const NSAttributedString& other) const;

    // Laid out in `width` points (0: one unwrapped line), `lines` lines at most
    // (0: any). Caller unrefs.
    PangoLayout* layout(const UIFontPtr& defaultFont, const UIColor& defaultColor, double width,
                        NSTextAlignment alignment, int lines) const;
    CGSize size(const UIFontPtr& defaultFont) const;
    CGSize boundingSize(const UIFontPtr& defaultFont, double width, int lines) const;

private:
    std::string text_;
    std::vector<Run> runs_;
};

// The laid-out size of a layout in points.
CGSize layoutSize(PangoLayout* layout);
// Draws with its top-left at `origin` in the current user space.
void drawLayout(cairo_t* cr, PangoLayout* layout, CGPoint origin);

}  // namespace uikit
