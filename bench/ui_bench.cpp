// Frames of a settings-like window (375 × 667 points at scale 2, about 40 views:
// labels, switches, images, rounded layers) drawn warm into one surface, and
// the preview box's layout pass with and without a change of its theme settings.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/MedianTime.h"
#include "platform/uikit/controls/UISwitch.h"
#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/layers/CAGradientLayer.h"
#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"
#include "platform/uikit/views/UIScreen.h"
#include "settings/preview/DefaultThemeScript.h"
#include "settings/preview/QVAXBatteryPreView.h"

using namespace uikit;
using Clock = std::chrono::steady_clock;

namespace {

UIImagePtr icon() {
    UIGraphicsBeginImageContextWithOptions({29, 29}, false, 2);
    UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, 29, 29), 6.5)->fill(UIColor::rgb(143 / 255.0, 0, 1));
    UIBezierPath::bezierPathWithOvalInRect(CGRectMake(8, 8, 13, 13))->fill(colors::whiteColor);
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

// A grouped settings page: a gradient header, then rows of icon, title, value and switch on rounded cards.
std::pair<UIWindowPtr, int> settingsWindow() {
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
    window->setBackgroundColor(UIColor::grey(0.94));
    int views = 1;
    auto header = std::make_shared<UIView>(CGRectMake(0, 0, 375, 120));
    auto gradient = CAGradientLayer::layer();
    gradient->setFrame(header->bounds());
    gradient->setColors({UIColor::rgb(143 / 255.0, 0, 1), UIColor::rgb(0.3, 0, 0.6)});
    header->layer()->addSublayer(gradient);
    auto title = std::make_shared<UILabel>(CGRectMake(20, 40, 335, 40));
    title->setText("Ampora");
    title->setFont(UIFont::fontWithName("HelveticaNeue-Light", 34));
    title->setTextColor(colors::whiteColor);
    header->addSubview(title);
    window->addSubview(header);
    views += 2;
    const auto image = icon();
    for (int row = 0; row < 9; ++row) {
        auto card = std::make_shared<UIView>(CGRectMake(12, 132 + 58 * row, 351, 50));
        card->setBackgroundColor(colors::whiteColor);
        card->layer()->setCornerRadius(10);
        card->setClipsToBounds(true);
        auto picture = std::make_shared<UIImageView>(image);
        picture->setFrame(CGRectMake(12, 10.5, 29, 29));
        auto label = std::make_shared<UILabel>(CGRectMake(52, 0, 180, 50));
        label->setText("Setting number " + std::to_string(row + 1));
        auto toggle = std::make_shared<UISwitch>(CGRectMake(288, 9.5, 0, 0));
        toggle->setOn(row % 2 == 0);
        toggle->setOnTintColor(UIColor::rgb(143 / 255.0, 0, 1));
        card->addSubview(picture);
        card->addSubview(label);
        card->addSubview(toggle);
        window->addSubview(card);
        views += 4;
    }
    return {window, views};
}

}  // namespace

int main(int argc, char** argv) {
    // --png FILE: also write one frame of the window, to look at.
    const char* pngPath = nullptr;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--png") pngPath = argv[i + 1];
    const double scale = 2;
    UIScreen::mainScreen().setScale(scale);
    auto [window, views] = settingsWindow();
    OffscreenScreen screen(window);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 750, 1334);
    auto frame = [&](int) {
        cairo_t* cr = cairo_create(target);
        cairo_scale(cr, scale, scale);
        screen.renderInto(cr);
        cairo_destroy(cr);
        cairo_surface_flush(target);
    };
    medianMicroseconds(50, frame);  // warm: text laid out, backing stores drawn
    const double warm = medianMicroseconds(500, frame) / 1000;
    const double image = medianMicroseconds(50, [&](int) { benchmark::DoNotOptimize(screen.render(scale)); }) / 1000;
    const double png = medianMicroseconds(20, [&](int) { benchmark::DoNotOptimize(screen.render(scale)->pngData()); }) / 1000;
    // The desktop switching between light and dark: every view resolves its colors and redraws.
    const double switched = medianMicroseconds(100, [&](int i) {
        UIScreen::mainScreen().setUserInterfaceStyle(i % 2 ? UIUserInterfaceStyle::Dark : UIUserInterfaceStyle::Light);
        frame(i);
    }) / 1000;
    UIScreen::mainScreen().setUserInterfaceStyle(UIUserInterfaceStyle::Light);
    cairo_surface_destroy(target);
    if (pngPath) screen.writePNG(pngPath, scale);

    auto preview = std::make_shared<QVAXBatteryPreView>(CGRectMake(0, 0, 110, 44));
    auto previewWindow = std::make_shared<UIWindow>(CGRectMake(0, 0, 110, 44));
    previewWindow->addSubview(preview);
    auto light = std::make_shared<RenderSettings>(), dark = std::make_shared<RenderSettings>();
    light->script = dark->script = defaultThemeScript();
    light->color = colors::blackColor;
    preview->setLightSettings(light);
    preview->setDarkSettings(dark);
    OffscreenScreen previewScreen(previewWindow);
    auto pass = [&](int) {
        preview->setNeedsLayout();
        benchmark::DoNotOptimize(previewScreen.render(scale));
    };
    medianMicroseconds(20, pass);
    const int before = preview->renderCount();
    const double unchanged = medianMicroseconds(500, pass) / 1000;
    const int rendersUnchanged = preview->renderCount() - before;
    const double changed = medianMicroseconds(100, [&](int i) {
        light->level = dark->level = i % 101;
        pass(i);
    }) / 1000;

    std::printf("Settings-like window, 375 x 667 points at scale 2, %d views\n", views);
    std::printf("  warm frame into one surface:             %7.3f ms median of 500\n", warm);
    std::printf("  frame to a new image:                    %7.3f ms median of 50\n", image);
    std::printf("  frame to a new image and PNG bytes:      %7.3f ms median of 20\n", png);
    std::printf("  frame after a light/dark switch:         %7.3f ms median of 100\n", switched);
    std::printf("Preview box 110 x 44 points, built-in theme, one layout pass and draw\n");
    std::printf("  settings unchanged (no theme run):       %7.3f ms median of 500 (%d renders)\n", unchanged,
                rendersUnchanged);
    std::printf("  level changed each pass (two theme runs): %6.3f ms median of 100\n\n", changed);
    std::fflush(stdout);

    if (pngPath) return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
