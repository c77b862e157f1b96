#include "tests/uikit/UIKitTestSupport.h"

#include <cmath>
#include <cstring>

#include "platform/uikit/views/LayoutCycle.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIDevice.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit::test {

RGBA pixelAt(const UIImage& image, int x, int y) {
    cairo_surface_t* s = image.surface();
    cairo_surface_flush(s);
    if (x < 0 || y < 0 || x >= image.pixelWidth() || y >= image.pixelHeight()) return {-1, -1, -1, -1};
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    uint32_t p;
    std::memcpy(&p, row + 4 * x, 4);
    const int a = int(p >> 24);
    auto un = [a](int c) { return a == 0 ? 0 : int(std::lround(c * 255.0 / a)); };
    return {un(int((p >> 16) & 255)), un(int((p >> 8) & 255)), un(int(p & 255)), a};
}

UIWindowPtr makeWindow(CGSize size, std::optional<UIColor> background) {
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, size.width, size.height));
    window->setBackgroundColor(background);
    window->makeKeyAndVisible();
    return window;
}

UIImagePtr renderWindow(const UIWindowPtr& window, double scale) { return OffscreenScreen(window).render(scale); }

void UIKitTest::SetUp() {
    UIScreen::mainScreen().resetTraits();
    UIDevice::currentDevice().resetTraits();
    UIClock::shared().setVirtual(true);
}

void UIKitTest::TearDown() {
    OffscreenScreen::runPendingBlocks();
    // Leftover animations and timers of one test must not fire in the next.
    UIClock::shared().advance(1e6);
}

}  // namespace uikit::test
