#pragma once
// Everything save() and restore() keep: one copy per level of the stack.

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/webview/CanvasPath.h"
#include "platform/webview/CanvasStyles.h"
#include "platform/webview/CssFilter.h"
#include "platform/webview/CssFont.h"

namespace webview {

struct ClipRegion {
    std::shared_ptr<const CanvasPath> path;  // device space
    cairo_fill_rule_t rule;
};

struct CanvasFilter {
    std::string text;  // as the script gave it
    std::vector<FilterOp> ops;
};

struct DrawingState {
    DrawingState() { cairo_matrix_init_identity(&transform); }

    cairo_matrix_t transform;
    CanvasStyle fillStyle = RGBA8{0, 0, 0, 255};
    CanvasStyle strokeStyle = RGBA8{0, 0, 0, 255};
    double lineWidth = 1;
    cairo_line_cap_t lineCap = CAIRO_LINE_CAP_BUTT;
    cairo_line_join_t lineJoin = CAIRO_LINE_JOIN_MITER;
    double miterLimit = 10;
    std::vector<double> lineDash;
    double lineDashOffset = 0;
    double globalAlpha = 1;
    std::string globalCompositeOperation = "source-over";
    RGBA8 shadowColor{0, 0, 0, 0};
    double shadowBlur = 0, shadowOffsetX = 0, shadowOffsetY = 0;
    FontSpec font;
    std::string textAlign = "start";
    std::string textBaseline = "alphabetic";
    std::string direction = "inherit";
    // In px, resolved when set, and as the script gave them.
    double letterSpacing = 0, wordSpacing = 0;
    std::string letterSpacingText = "0px", wordSpacingText = "0px";
    std::shared_ptr<const CanvasFilter> filter;  // null for the initial "none"
    bool imageSmoothingEnabled = true;
    std::vector<ClipRegion> clips;
};

}  // namespace webview
