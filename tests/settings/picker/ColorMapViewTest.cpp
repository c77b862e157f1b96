// The hue/saturation map: the image it draws, how touches pick tiles, where the
// cursor sits, and the one-time background generation.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include <cmath>

#include "settings/picker/HRColorMapView.h"
#include "settings/picker/HSVColor.h"
#include "tests/settings/picker/PickerTestSupport.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

HSVComponents hsvOfPixel(const UIImage& image, int x, int y) {
    const RGBA p = pixelAt(image, x, y);
    HSVComponents hsv;
    HSVColorFromUIColor(UIColor::rgb(p[0] / 255.0, p[1] / 255.0, p[2] / 255.0), &hsv);
    return hsv;
}

class ColorMap : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 300});
    std::shared_ptr<HRColorMapView> map = HRColorMapView::colorMapWithFrame(CGRectMake(0, 0, 320, 300), 0.9);
    int events = 0;
    void SetUp() override {
        UIKitTest::SetUp();
        map->setTileSize(16);
        map->addTarget([this](UIControl&) { ++events; }, UIControlEventValueChanged);
        window->addSubview(map);
    }
    HSVComponents picked() const {
        HSVComponents hsv;
        HSVColorFromUIColor(*map->color(), &hsv);
        return hsv;
    }
};

}  // namespace

TEST(ColorMapImage, TilesRunThroughHuesAcrossAndSaturationsDown) {
    auto image = HRColorMapView::colorMapImageWithSize({320, 300}, 16, 0.9, 1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 320);
    EXPECT_EQ(image->height(), 288) << "only whole rows of tiles";
    EXPECT_RGBA_NEAR(pixelAt(*image, 8, 8), 255, 0, 0, 255, 0);
    const HSVComponents cyan = hsvOfPixel(*image, 10 * 16 + 8, 8);
    EXPECT_NEAR(cyan.h, 0.5, 0.005);
    EXPECT_NEAR(cyan.s, 1, 0.005);
    const HSVComponents pale = hsvOfPixel(*image, 8, 17 * 16 + 8);
    EXPECT_NEAR(pale.h, 0, 0.005);
    EXPECT_NEAR(pale.s, 0.1, 0.01);

    auto full = HRColorMapView::colorMapImageWithSize({320, 306}, 1, 1, 2);
    // The bottom row is white at every hue.
    EXPECT_RGBA_NEAR(pixelAt(*full, 400, 2 * 306 - 1), 255, 255, 255, 255, 0);
    auto background = HRColorMapView::backgroundImageWithSize({320, 306}, 1, 2);
    EXPECT_RGBA_NEAR(pixelAt(*background, 639, 611), 0, 0, 0, 255, 0);
}

TEST(ColorMapImage, ASingleRowOrNoTileDrawsWithoutDividingByZero) {
    auto oneRow = HRColorMapView::colorMapImageWithSize({320, 20}, 16, 0.9, 1);
    ASSERT_NE(oneRow, nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*oneRow, 8, 8), 255, 0, 0, 255, 0);
    EXPECT_EQ(HRColorMapView::colorMapImageWithSize({10, 300}, 16, 0.9, 1), nullptr);
}

TEST_F(ColorMap, TouchesPickTheTileUnderThemAndIgnoreTheOutside) {
    renderWindow(window);
    ASSERT_TRUE(picker::test::waitForColorMap(*map)) << "an invisible map takes no touches";
    OffscreenScreen(window).tap({10 * 16 + 3, 5});
    ASSERT_EQ(events, 1);
    EXPECT_NEAR(picked().h, 0.5, 1e-9);
    EXPECT_NEAR(picked().s, 1, 1e-9);
    EXPECT_NEAR(picked().v, 0.5, 1e-9) << "the map's own brightness";

    map->update({330, 100});
    map->update({-1, 100});
    EXPECT_EQ(events, 1);
    map->update({0, 300.5});  // the extra point below the map counts
    EXPECT_EQ(events, 2);
    EXPECT_GE(picked().s, 0);

    OffscreenScreen(window).drag({8, 100}, {8, 280}, 4);
    EXPECT_EQ(map->colorCursor()->editing(), false) << "editing ends with the pan";
    EXPECT_NEAR(picked().s, 0.1, 1e-6) << "the last row";
}

TEST_F(ColorMap, CursorSitsOnTheNearestTileAndHuesNearOneWrapToTheFirstColumn) {
    renderWindow(window);
    map->setColor(colorFromHSV(0.5, 1 - 9 / 17.0 * 0.9, 1));
    EXPECT_EQ(events, 1) << "a color set by code is reported too";
    EXPECT_EQ(map->colorCursor()->transform(), CGAffineTransformMakeTranslation(160, 144));
    EXPECT_EQ(map->colorCursor()->center(), CGPointMake(8, 8)) << "centred on the first tile before the move";

    map->setColor(colorFromHSV(0.99, 1, 1));
    EXPECT_EQ(map->colorCursor()->transform().tx, 0);
    map->setColor(UIColor::rgb(1, 0, 0));
    EXPECT_EQ(map->colorCursor()->transform().tx, 0);
    EXPECT_FALSE(map->colorCursor()->isGrayCursor());
    map->setColor(colors::whiteColor);
    EXPECT_TRUE(map->colorCursor()->isGrayCursor()) << "a pale color gets the dark backing";
    EXPECT_EQ(map->colorCursor()->backLayer()->backgroundColor(), colorWithWhite(0, 0.2));
}

TEST_F(ColorMap, AMapOfOneRowPicksAndPlacesWithoutNaN) {
    map->setFrame(CGRectMake(0, 0, 320, 20));
    renderWindow(window);
    map->update({100, 10});
    ASSERT_TRUE(map->color());
    EXPECT_TRUE(std::isfinite(map->color()->red()) && std::isfinite(map->color()->green()));
    EXPECT_NEAR(picked().s, 1, 1e-9);
    const auto t = map->colorCursor()->transform();
    EXPECT_TRUE(std::isfinite(t.tx) && std::isfinite(t.ty));
    EXPECT_EQ(t.ty, 0);
}

TEST_F(ColorMap, AppearsOnlyOnceTheWorkerIsDoneAndFadesInOverTwoTenths) {
    EXPECT_TRUE(map->initializeQueue().isSuspended()) << "no frame laid out yet";
    map->setBrightness(0.3);
    renderWindow(window);  // the first layout with a real frame releases the queue
    EXPECT_FALSE(map->initializeQueue().isSuspended());
    EXPECT_EQ(map->alpha(), 0);
    EXPECT_EQ(map->colorMapLayer(), nullptr);

    ASSERT_TRUE(picker::test::waitForColorMap(*map));
    EXPECT_EQ(map->colorMapImage()->width(), 320);
    EXPECT_EQ(map->colorMapImage()->height(), 288);
    EXPECT_NEAR(map->colorMapLayer()->opacity(), 0.3, 1e-6);
    EXPECT_EQ(map->layer()->sublayers()[0], map->colorMapBackgroundLayer());
    EXPECT_EQ(map->layer()->sublayers()[1], map->colorMapLayer());
    EXPECT_EQ(map->layer()->presentationOpacity(), 0);
    UIClock::shared().advance(0.1);
    EXPECT_GT(map->layer()->presentationOpacity(), 0.2);
    EXPECT_LT(map->layer()->presentationOpacity(), 0.8);
    UIClock::shared().advance(0.1);
    EXPECT_NEAR(map->layer()->presentationOpacity(), 1, 1e-6);

    map->setBrightness(0.8);
    EXPECT_NEAR(map->colorMapLayer()->opacity(), 0.8, 1e-9);
    map->setTileSize(8);
    renderWindow(window);
    EXPECT_EQ(map->colorMapImage()->width(), 320) << "drawn once";
}

TEST_F(ColorMap, ATurnedPickerGetsAMapOfItsNewSizeAndTapsPickWhatIsDrawn) {
    renderWindow(window);
    ASSERT_TRUE(picker::test::waitForColorMap(*map));
    UIClock::shared().advance(0.3);
    auto drawnAt = [&](double width) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (map->colorMapImage()->width() != width && std::chrono::steady_clock::now() < deadline)
            OffscreenScreen::runPendingBlocks();
        return map->colorMapImage()->width() == width;
    };
    // Landscape: wider and lower. Portrait again after that.
    for (const CGSize size : {CGSizeMake(560, 160), CGSizeMake(320, 300)}) {
        SCOPED_TRACE(size.width);
        window->setFrame(CGRectMake(0, 0, size.width, size.height));
        map->setFrame(CGRectMake(0, 0, size.width, size.height));
        renderWindow(window);
        // Meanwhile the old map is stretched over the new grid, never past the view.
        EXPECT_LE(CGRectGetMaxX(map->colorMapLayer()->frame()), size.width);
        EXPECT_LE(CGRectGetMaxY(map->colorMapLayer()->frame()), size.height);
        ASSERT_TRUE(drawnAt(std::floor(size.width / 16) * 16));
        EXPECT_EQ(map->colorMapImage()->height(), std::floor(size.height / 16) * 16);
        EXPECT_EQ(map->colorMapLayer()->frame(), CGRectMake(0, 0, map->colorMapImage()->width(), map->colorMapImage()->height()));
        EXPECT_EQ(map->alpha(), 1) << "no second fade";
        // The tap picks the hue of the column drawn under the finger.
        const int columns = int(size.width / 16);
        map->update({double(columns - 1) * 16 + 3, 5});
        EXPECT_NEAR(picked().h, double(columns - 1) / columns, 1e-9);
    }
}

TEST_F(ColorMap, AViewGoneWhileItsMapIsDrawnIsNotTouched) {
    std::weak_ptr<HRColorMapView> weak = map;
    map->setTileSize(1);
    renderWindow(window);
    map->removeFromSuperview();
    map.reset();
    EXPECT_TRUE(weak.expired());
    for (int i = 0; i < 20; ++i) OffscreenScreen::runPendingBlocks();
}
