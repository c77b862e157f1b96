// The color picker: generating the map images (what the background queue does
// once per map) and one drag step on the map, from the touch to the redrawn
// frame of a 320 x 504 picker at scale 2; then the same on the whole picker
// page, whose steps now and then re-render the live preview through the
// theme script. --png FILE writes the picker, and FILE.drag.png the same with
// a finger on the brightness knob.
#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/MedianTime.h"
#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIScreen.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "settings/picker/HRColorPickerView.h"
#include "settings/picker/QVAXColorPickerViewController.h"

using namespace uikit;

namespace {

double mapMilliseconds(double tile, double limit) {
    return medianMicroseconds(21, [&](int) {
               HRColorMapView::colorMapImageWithSize({320, 306}, tile, limit, 2);
               HRColorMapView::backgroundImageWithSize({320, 306}, tile, 2);
           }) / 1000;
}

struct PageSteps {
    double all = 0;        // median of every step
    double rendering = 0;  // median of the steps that re-rendered the preview
};

bool waitForMap(const HRColorMapView& map);

// Drag steps on the picker page of a 375 x 667 phone, the way the color rows open it.
PageSteps pickerPageSteps(double scale) {
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
    window->makeKeyAndVisible();
    auto page = std::make_shared<QVAXColorPickerViewController>(UIColor::rgb(1, 0.5, 0), true, true);
    window->setRootViewController(UINavigationController::withRootViewController(page));
    OffscreenScreen screen(window);
    screen.render(scale);
    auto map = std::static_pointer_cast<HRColorMapView>(page->colorPickerView()->colorMapView());
    if (!waitForMap(*map)) return {};
    UIClock::shared().advance(1);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(375 * scale), int(667 * scale));
    std::vector<double> all, rendering;
    screen.touchDown({20, 400});
    screen.touchMove({40, 400});
    screen.touchMove({60, 400});
    for (int i = 0; i < 300; ++i) {
        const int renders = page->batteryPreview()->renderCount();
        const auto start = std::chrono::steady_clock::now();
        screen.touchMove({10.0 + (i * 7) % 350, 240.0 + (i * 13) % 350});
        UIClock::shared().advance(0.016);
        cairo_t* cr = cairo_create(target);
        cairo_scale(cr, scale, scale);
        screen.renderInto(cr);
        cairo_destroy(cr);
        cairo_surface_flush(target);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        all.push_back(ms);
        if (page->batteryPreview()->renderCount() != renders) rendering.push_back(ms);
    }
    screen.touchUp({60, 400});
    cairo_surface_destroy(target);
    auto median = [](std::vector<double> v) {
        if (v.empty()) return 0.0;
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    return {median(all), median(rendering)};
}

bool waitForMap(const HRColorMapView& map) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!map.colorMapLayer() && std::chrono::steady_clock::now() < deadline) OffscreenScreen::runPendingBlocks();
    return map.colorMapLayer() != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const char* pngPath = nullptr;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--png") pngPath = argv[i + 1];
    const double scale = 2;
    UIScreen::mainScreen().setScale(scale);

    const double tile16 = mapMilliseconds(16, 0.9), tile1 = mapMilliseconds(1, 1);

    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 320, 504));
    window->setBackgroundColor(colors::whiteColor);
    auto picker = std::make_shared<HRColorPickerView>(CGRectMake(0, 0, 320, 504));
    picker->setColor(UIColor::rgb(1, 0.5, 0));
    window->addSubview(picker);
    OffscreenScreen screen(window);
    screen.render(scale);
    auto map = std::static_pointer_cast<HRColorMapView>(picker->colorMapView());
    if (!waitForMap(*map)) {
        std::fprintf(stderr, "the color map never arrived\n");
        return 1;
    }
    UIClock::shared().advance(1);  // past the fade-in
    if (pngPath) {
        map->setColor(UIColor::rgb(0.2, 0.6, 1));
        screen.writePNG(pngPath, scale);
        // And with a finger on the brightness knob, which grows and shows its percentage.
        screen.touchDown({44, 124});
        screen.touchMove({80, 124});
        screen.touchMove({120, 124});
        UIClock::shared().advance(0.2);
        screen.writePNG(std::string(pngPath) + ".drag.png", scale);
        screen.touchUp({120, 124});
        UIClock::shared().advance(0.2);
    }

    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 640, 1008);
    auto draw = [&] {
        cairo_t* cr = cairo_create(target);
        cairo_scale(cr, scale, scale);
        screen.renderInto(cr);
        cairo_destroy(cr);
        cairo_surface_flush(target);
    };
    // A finger down on the map and past the pan's start, then one move and one frame per step.
    screen.touchDown({20, 300});
    screen.touchMove({40, 300});
    screen.touchMove({60, 300});
    draw();
    const double step = medianMicroseconds(300, [&](int i) {
                            screen.touchMove({10.0 + (i * 7) % 300, 170.0 + (i * 13) % 280});
                            UIClock::shared().advance(0.016);
                            draw();
                        }) / 1000;
    screen.touchUp({60, 300});
    cairo_surface_destroy(target);

    std::printf("Color map images, 320 x 306 points at scale 2 (map and black background)\n");
    std::printf("  tile 16, limit 0.9:   %7.3f ms median of 21\n", tile16);
    std::printf("  tile 1, limit 1:      %7.3f ms median of 21   (target under 20 ms)\n", tile1);
    std::printf("Drag step on a 320 x 504 picker at scale 2, touch to redrawn frame\n");
    std::printf("  one step:             %7.3f ms median of 300  (target under 8 ms)\n", step);
    const PageSteps page = pickerPageSteps(scale);
    std::printf("Drag step on the picker page of a 375 x 667 phone at scale 2, touch to redrawn frame\n");
    std::printf("  one step:             %7.3f ms median of 300\n", page.all);
    std::printf("  a step re-rendering the preview: %7.3f ms median\n", page.rendering);
    return 0;
}
