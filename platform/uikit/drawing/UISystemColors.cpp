#include "platform/uikit/drawing/UISystemColors.h"

#include <atomic>

namespace uikit {

namespace {
std::atomic<UIUserInterfaceStyle> gStyle{UIUserInterfaceStyle::Light};

constexpr UIColor rgb255(int r, int g, int b, double alpha = 1) { return UIColor::rgb(r / 255.0, g / 255.0, b / 255.0, alpha); }

struct Pair {
    UIColor light, dark;
};

// Light: the values the pages were drawn with before there was a dark look.
// Dark: the phone platform's dark grouped-table palette.
Pair pairOf(UISystemColor color) {
    switch (color) {
        case UISystemColor::systemBackground: return {colors::whiteColor, colors::blackColor};
        case UISystemColor::systemGroupedBackground: return {UIColor::rgb(0.937, 0.937, 0.957), colors::blackColor};
        case UISystemColor::secondarySystemGroupedBackground: return {colors::whiteColor, rgb255(0x1c, 0x1c, 0x1e)};
        case UISystemColor::separator: return {UIColor::rgb(0.784, 0.78, 0.8), rgb255(84, 84, 88, 0.6)};
        case UISystemColor::label: return {colors::blackColor, colors::whiteColor};
        case UISystemColor::secondaryLabel: return {UIColor::rgb(0.56, 0.56, 0.58), rgb255(235, 235, 245, 0.6)};
        case UISystemColor::tertiaryLabel: return {UIColor::rgb(0.78, 0.78, 0.8), rgb255(235, 235, 245, 0.3)};
        case UISystemColor::groupedHeaderText: return {UIColor::rgb(0.427, 0.427, 0.447), rgb255(235, 235, 245, 0.6)};
        case UISystemColor::placeholderText: return {UIColor::grey(0.7), rgb255(235, 235, 245, 0.3)};
        case UISystemColor::selectedRowBackground: return {UIColor::grey(0.85), rgb255(0x3a, 0x3a, 0x3c)};
        case UISystemColor::barBackground: return {UIColor::grey(0.97), rgb255(0x12, 0x12, 0x12, 0.94)};
        case UISystemColor::barHairline: return {UIColor::grey(0, 0.3), UIColor::grey(1, 0.15)};
        case UISystemColor::alertBackground: return {UIColor::grey(0.97), rgb255(0x2c, 0x2c, 0x2e)};
        case UISystemColor::switchOffTrack: return {UIColor::grey(0.9), rgb255(0x39, 0x39, 0x3d)};
        case UISystemColor::switchOffFill: return {colors::whiteColor, rgb255(0x39, 0x39, 0x3d)};
        case UISystemColor::fieldBorder: return {UIColor::grey(0.8), rgb255(84, 84, 88, 0.6)};
        case UISystemColor::scrollIndicator: return {UIColor::grey(0, 0.35), UIColor::grey(1, 0.35)};
    }
    return {colors::blackColor, colors::whiteColor};
}
}  // namespace

UIColor resolvedColor(UISystemColor color, UIUserInterfaceStyle style) {
    const Pair pair = pairOf(color);
    return style == UIUserInterfaceStyle::Dark ? pair.dark : pair.light;
}

UIColor systemColor(UISystemColor color) { return resolvedColor(color, currentUserInterfaceStyle()); }

UIUserInterfaceStyle currentUserInterfaceStyle() { return gStyle.load(std::memory_order_relaxed); }
void setCurrentUserInterfaceStyle(UIUserInterfaceStyle style) { gStyle.store(style, std::memory_order_relaxed); }

}  // namespace uikit
