// The plug-in's only contact with the status-bar host: at load time it replaces
// three methods of the battery item view and subscribes to the settings-changed
// notification; the replacements hand the battery state to the engine.
#include <utility>

#include "common/SettingsNotification.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Text.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/runtime/HomeScreenClasses.h"
#include "platform/webview/WebView.h"

using namespace runtime;
using namespace homescreen;

namespace {

UpdateForNewDataIMP originalUpdateForNewData = nullptr;
NeedsAccessoryImageIMP originalNeedsAccessoryImage = nullptr;
ContentsImageIMP originalContentsImage = nullptr;

int intIvar(Object* self, const char* name) {
    const Ivar* ivar = class_getInstanceVariable(self->isa(), name);
    return ivar ? *reinterpret_cast<int*>(self->ivarBase() + ivar_getOffset(ivar)) : 0;
}

std::string systemVersion() {
    Class* device = objc_getClass(kDevice);
    id current = device ? msgSendClass<id>(device, "currentDevice") : nullptr;
    return current ? msgSend<std::string>(current.get(), "systemVersion") : "9.3";
}

bool lowPowerMode() {
    if (foundation::compareNumeric(systemVersion(), "9.0") < 0) return false;
    Class* processInfo = objc_getClass(kProcessInfo);
    id info = processInfo ? msgSendClass<id>(processInfo, "processInfo") : nullptr;
    return info && msgSend<bool>(info.get(), "isLowPowerModeEnabled");
}

// The private classes are looked up at first use and remembered.
Class* legibilityImageSetClass() {
    static Class* cls = objc_getClass(kLegibilityImageSet);
    return cls;
}

Class* aggregatorClass() {
    static Class* cls = objc_getClass(kStateAggregator);
    return cls;
}

bool replacedUpdateForNewData(Object* self, id data, long long actions) {
    QVAXManager::sharedManager().setBatteryView(self->shared_from_this());
    return originalUpdateForNewData(self, std::move(data), actions);
}

bool replacedNeedsAccessoryImage(Object* self) {
    QVAXManager& engine = QVAXManager::sharedManager();
    if (engine.enabled() && !engine.showChargeSymbol()) return false;
    return originalNeedsAccessoryImage(self);
}

// The status bar's height in points and its text color, as the view's style gives them.
std::pair<double, graphics::Color> barStyle(Object* self) {
    double height = 20;
    graphics::Color foreground = graphics::Color::rgb(1, 1, 1, 1);
    if (self->respondsToSelector("foregroundStyle")) {
        if (id style = msgSend<id>(self, "foregroundStyle")) {
            height = style->ivar<double>("_height");
            foreground =
                msgSend<graphics::Color>(style.get(), "textColorForStyle:", msgSend<long long>(self, "legibilityStyle"));
        }
    }
    return {height, foreground};
}

// Whether the last icon was much wider than high: a square tray slot then gets the companion.
bool lastIconWide = false;

id replacedContentsImage(Object* self) {
    QVAXManager& engine = QVAXManager::sharedManager();
    if (!engine.enabled() || !engine.script()) return originalContentsImage(self);
    try {
        const int level = intIvar(self, "_capacity");
        const bool charging = intIvar(self, "_state") != 0;
        const auto [height, foreground] = barStyle(self);
        graphics::Image image = engine.batteryImageWithForegoundColor(
            foreground, height * graphics::mainScreenScale(), level, charging, lowPowerMode());
        lastIconWide = image && image->pixelWidth() > 1.25 * image->pixelHeight();
        // No image is handed on as such: the host shows nothing rather than the stock icon.
        return msgSendClass<id>(legibilityImageSetClass(), "imageFromImage:withShadowImage:", image, image);
    } catch (const MessageError& e) {
        foundation::logLine(std::string("AMPORA: the host does not offer what the icon needs: ") + e.what());
        return originalContentsImage(self);
    }
}

SquareImageIMP originalSquareImage = nullptr;

id replacedSquareImage(Object* self, int pixels) {
    QVAXManager& engine = QVAXManager::sharedManager();
    if (!engine.enabled() || !engine.script()) return originalSquareImage(self, pixels);
    try {
        graphics::Image image = engine.trayImageWithForegroundColor(
            barStyle(self).second, pixels, intIvar(self, "_capacity"), intIvar(self, "_state") != 0, lowPowerMode(),
            lastIconWide);
        if (!image) return originalSquareImage(self, pixels);
        return msgSendClass<id>(legibilityImageSetClass(), "imageFromImage:withShadowImage:", image, image);
    } catch (const MessageError&) {
        return originalSquareImage(self, pixels);
    }
}

// The aggregator rebuilds the item, which asks for its image again.
void refreshBatteryItem() {
    try {
        Class* aggregator = aggregatorClass();
        id instance = aggregator ? msgSendClass<id>(aggregator, "sharedInstance") : nullptr;
        if (!instance) return;
        const int item = foundation::compareNumeric(systemVersion(), "9.3") < 0 ? 7 : 8;
        msgSend<void>(instance.get(), "_setItem:enabled:", item, false);
        msgSend<void>(instance.get(), "updateStatusBarItem:", item);
    } catch (const MessageError& e) {
        foundation::logLine(std::string("AMPORA: cannot refresh the battery item: ") + e.what());
    }
}

void settingsChanged(const std::string&) {
    QVAXManager::sharedManager().loadSettings();
    refreshBatteryItem();
}

__attribute__((constructor(101))) void installHooks() {
    Class* view = objc_getClass(kBatteryItemView);
    if (!view) return;  // not inside the status-bar host
    try {
        MSHookMessageEx(view, "updateForNewData:actions:", replacedUpdateForNewData, &originalUpdateForNewData);
        MSHookMessageEx(view, "_needsAccessoryImage", replacedNeedsAccessoryImage, &originalNeedsAccessoryImage);
        MSHookMessageEx(view, "contentsImage", replacedContentsImage, &originalContentsImage);
    } catch (const MessageError& e) {
        foundation::logLine(std::string("AMPORA: cannot hook the battery item: ") + e.what());
    }
    // Only desktop hosts have square tray slots; elsewhere there is nothing to replace.
    if (view->instancesRespondToSelector("squareImageForPixelSize:")) {
        try {
            MSHookMessageEx(view, "squareImageForPixelSize:", replacedSquareImage, &originalSquareImage);
        } catch (const MessageError&) {
        }
    }
}

__attribute__((constructor(102))) void subscribeToSettingsChanges() {
    if (!objc_getClass(kBatteryItemView)) return;
    notify::DarwinNotifyCenter::shared().addObserver(kSettingsChangedNotification, settingsChanged);
    // The theme evaluator starts while the host finishes starting up, so its
    // first battery icon does not wait for it; an icon asked for while it
    // (re)starts later is drawn again when it is ready, and the host goes on
    // answering its events meanwhile.
    webview::UIWebView::setReadyObserver(refreshBatteryItem);
    webview::UIWebView::prewarm();
}

}  // namespace
