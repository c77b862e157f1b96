// The home-screen classes as the host implements them, registered by name.
#include <cmath>

#include "hosts/statusbar/StatusBar.h"
#include "platform/runtime/HomeScreenClasses.h"

using namespace runtime;
using namespace homescreen;

namespace statusbar {
namespace {

StatusBar* gBar = nullptr;

int& intIvar(Object* self, const char* name) { return self->ivar<int>(name); }

// _UILegibilityImageSet holds two images, which raw ivar storage cannot.
class LegibilityImageSet : public Object {
public:
    LegibilityImageSet(graphics::Image image, graphics::Image shadow)
        : Object(objc_getClass(kLegibilityImageSet)), image(std::move(image)), shadow(std::move(shadow)) {}
    graphics::Image image, shadow;
};

id imageSet(graphics::Image image) { return std::make_shared<LegibilityImageSet>(image, image); }

}  // namespace

// The stock battery: an outline, a nub and a fill, in the status bar's text color.
graphics::Image stockBattery(int level, bool charging) {
    const double scale = graphics::mainScreenScale(), h = gBar->options().heightPoints;
    const double bodyW = 24, bodyH = 11, accessory = charging ? 7 : 0;
    graphics::BitmapContext bitmap(bodyW + 3 + accessory, h, scale);
    cairo_t* cr = bitmap.cairo();
    cairo_scale(cr, scale, scale);
    const graphics::Color c = gBar->options().textColor;
    cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), 1);
    const double top = (h - bodyH) / 2;
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, top + 0.5, bodyW - 1, bodyH - 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, bodyW, top + 3.5, 1.5, 4);
    cairo_fill(cr);
    cairo_rectangle(cr, 2, top + 2, (bodyW - 4) * std::clamp(level, 0, 100) / 100.0, bodyH - 4);
    cairo_fill(cr);
    return bitmap.image();
}

namespace {

bool updateForNewData(Object* self, id data, long long) {
    const int capacity = data->ivar<int>("_capacity"), state = data->ivar<int>("_state");
    const bool changed = intIvar(self, "_capacity") != capacity || intIvar(self, "_state") != state;
    intIvar(self, "_capacity") = capacity;
    intIvar(self, "_state") = state;
    return changed;
}

bool needsAccessoryImage(Object* self) { return intIvar(self, "_state") != 0; }

id contentsImage(Object* self) { return imageSet(stockBattery(intIvar(self, "_capacity"), intIvar(self, "_state") != 0)); }

id squareImage(Object*, int) { return nullptr; }

id foregroundStyle(Object*) {
    static id style = [] {
        id s = std::make_shared<Object>(objc_getClass("UIStatusBarForegroundStyleAttributes"));
        s->ivar<double>("_height") = gBar->options().heightPoints;
        return s;
    }();
    return style;
}

long long legibilityStyle(Object*) { return gBar->options().textColor.greyLevel() >= 1 ? 0 : 1; }

graphics::Color textColorForStyle(Object*, long long) { return gBar->options().textColor; }

id imageFromImage(Class*, graphics::Image image, graphics::Image shadow) {
    return std::make_shared<LegibilityImageSet>(std::move(image), std::move(shadow));
}
graphics::Image image(Object* self) { return static_cast<LegibilityImageSet*>(self)->image; }
graphics::Image shadowImage(Object* self) { return static_cast<LegibilityImageSet*>(self)->shadow; }

id sharedAggregator(Class* cls) {
    static id instance = std::make_shared<Object>(cls);
    return instance;
}
void setItemEnabled(Object*, int item, bool enabled) { gBar->setItemEnabled(item, enabled); }
void updateStatusBarItem(Object*, int item) { gBar->updateItem(item); }

id currentDevice(Class* cls) {
    static id device = std::make_shared<Object>(cls);
    return device;
}
std::string systemVersion(Object*) { return gBar->options().systemVersion; }
id processInfo(Class* cls) {
    static id info = std::make_shared<Object>(cls);
    return info;
}
bool isLowPowerModeEnabled(Object*) { return gBar->lowPowerMode(); }

}  // namespace

void registerHostClasses(StatusBar& bar) {
    gBar = &bar;
    Class& view = registerClass(kBatteryItemView);
    view.addIvar<int>("_capacity");
    view.addIvar<int>("_state");
    view.addMethod("updateForNewData:actions:", static_cast<UpdateForNewDataIMP>(updateForNewData));
    view.addMethod("_needsAccessoryImage", static_cast<NeedsAccessoryImageIMP>(needsAccessoryImage));
    view.addMethod("contentsImage", static_cast<ContentsImageIMP>(contentsImage));
    view.addMethod("squareImageForPixelSize:", static_cast<SquareImageIMP>(squareImage));
    view.addMethod("foregroundStyle", static_cast<ForegroundStyleIMP>(foregroundStyle));
    view.addMethod("legibilityStyle", static_cast<LegibilityStyleIMP>(legibilityStyle));

    Class& data = registerClass("UIStatusBarBatteryData");
    data.addIvar<int>("_capacity");
    data.addIvar<int>("_state");

    Class& style = registerClass("UIStatusBarForegroundStyleAttributes");
    style.addIvar<double>("_height");
    style.addMethod("textColorForStyle:", static_cast<TextColorForStyleIMP>(textColorForStyle));

    Class& set = registerClass(kLegibilityImageSet);
    set.addClassMethod("imageFromImage:withShadowImage:", static_cast<ImageFromImageIMP>(imageFromImage));
    set.addMethod("image", static_cast<ImageIMP>(image));
    set.addMethod("shadowImage", static_cast<ImageIMP>(shadowImage));

    Class& aggregator = registerClass(kStateAggregator);
    aggregator.addClassMethod("sharedInstance", static_cast<SharedInstanceIMP>(sharedAggregator));
    aggregator.addMethod("_setItem:enabled:", static_cast<SetItemEnabledIMP>(setItemEnabled));
    aggregator.addMethod("updateStatusBarItem:", static_cast<UpdateStatusBarItemIMP>(updateStatusBarItem));

    Class& device = registerClass(kDevice);
    device.addClassMethod("currentDevice", static_cast<SharedInstanceIMP>(currentDevice));
    device.addMethod("systemVersion", static_cast<SystemVersionIMP>(systemVersion));
    Class& info = registerClass(kProcessInfo);
    info.addClassMethod("processInfo", static_cast<SharedInstanceIMP>(processInfo));
    info.addMethod("isLowPowerModeEnabled", static_cast<LowPowerModeIMP>(isLowPowerModeEnabled));
}

}  // namespace statusbar
