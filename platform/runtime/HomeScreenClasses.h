#pragma once
// The home-screen process's private classes as a plug-in sees them: names,
// selectors and the C++ type of each method. The status-bar host implements
// them; the plug-in calls and replaces them through the runtime.

#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/runtime/Runtime.h"

namespace homescreen {

// UIStatusBarBatteryItemView, with ivars "_capacity" (int) and "_state" (int:
// 0 unplugged, 1 charging, 2 full).
inline constexpr const char* kBatteryItemView = "UIStatusBarBatteryItemView";
using UpdateForNewDataIMP = bool (*)(runtime::Object* self, runtime::id data, long long actions);
using NeedsAccessoryImageIMP = bool (*)(runtime::Object* self);
using ContentsImageIMP = runtime::id (*)(runtime::Object* self);        // a _UILegibilityImageSet
// Desktop hosts only, "squareImageForPixelSize:": the picture for a square tray
// slot of that many pixels, a _UILegibilityImageSet, or nil for the host's own.
using SquareImageIMP = runtime::id (*)(runtime::Object* self, int pixels);
using ForegroundStyleIMP = runtime::id (*)(runtime::Object* self);      // ivar "_height" (double)
using LegibilityStyleIMP = long long (*)(runtime::Object* self);
using TextColorForStyleIMP = graphics::Color (*)(runtime::Object* style, long long legibilityStyle);

// _UILegibilityImageSet: +imageFromImage:withShadowImage:, -image, -shadowImage.
inline constexpr const char* kLegibilityImageSet = "_UILegibilityImageSet";
using ImageFromImageIMP = runtime::id (*)(runtime::Class*, graphics::Image image, graphics::Image shadow);
using ImageIMP = graphics::Image (*)(runtime::Object* self);

// SBStatusBarStateAggregator: +sharedInstance, -_setItem:enabled:, -updateStatusBarItem:.
inline constexpr const char* kStateAggregator = "SBStatusBarStateAggregator";
using SharedInstanceIMP = runtime::id (*)(runtime::Class*);
using SetItemEnabledIMP = void (*)(runtime::Object* self, int item, bool enabled);
using UpdateStatusBarItemIMP = void (*)(runtime::Object* self, int item);

// UIDevice +currentDevice -systemVersion; NSProcessInfo +processInfo -isLowPowerModeEnabled.
inline constexpr const char* kDevice = "UIDevice";
using SystemVersionIMP = std::string (*)(runtime::Object* self);
inline constexpr const char* kProcessInfo = "NSProcessInfo";
using LowPowerModeIMP = bool (*)(runtime::Object* self);

}  // namespace homescreen
