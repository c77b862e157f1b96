// The light/dark preview box: what it renders, when, and where it shows it.
#include <gtest/gtest.h>

#include <limits>

#include "platform/uikit/views/LayoutCycle.h"
#include "settings/preview/QVAXBatteryPreView.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

// A square of the icon height in the main color.
const char* kSquareTheme =
    "(height, level, charging, low, color){var c=document.createElement('canvas');c.width=height;c.height=height;"
    "var x=c.getContext('2d');x.fillStyle='rgb('+color.join()+')';x.fillRect(0,0,height,height);"
    "return c.toDataURL('image/png')}";

SharedRenderSettings squareSettings(const UIColor& color) {
    auto s = std::make_shared<RenderSettings>();
    s->script = kSquareTheme;
    s->color = color;
    return s;
}

class PreviewView : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({110, 44}, std::nullopt);
    std::shared_ptr<QVAXBatteryPreView> preview = std::make_shared<QVAXBatteryPreView>(CGRectMake(0, 0, 110, 44));
    void SetUp() override {
        UIKitTest::SetUp();
        window->addSubview(preview);
    }
};

}  // namespace

TEST_F(PreviewView, WithoutSettingsOnlyTheBackgroundsShow) {
    auto image = renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 0);
    EXPECT_EQ(preview->lightBatteryView()->image(), nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*image, 55, 44), 242, 242, 242, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 165, 44), 38, 38, 38, 255, 0);
    EXPECT_EQ(pixelAt(*image, 0, 0)[3], 0) << "the rounded corner is transparent";
    EXPECT_RGBA_NEAR(pixelAt(*image, 60, 0), 0, 0, 0, 255, 0);
    EXPECT_NEAR(pixelAt(*image, 60, 1)[0], 121, 10);  // half of the 1.5-pixel border

    preview->setBatterySettings(squareSettings(colors::redColor));
    renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 0) << "setting a property does not render";
    preview->setNeedsLayout();
    renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 2) << "the next pass renders what is now there";
}

TEST_F(PreviewView, SharedSettingsRenderBothHalvesAlike) {
    preview->setBatterySettings(squareSettings(colors::redColor));
    preview->refreshBattery();
    ASSERT_TRUE(preview->lightBatteryView()->image());
    EXPECT_EQ(preview->lightBatteryView()->image()->pngData(), preview->darkBatteryView()->image()->pngData());
    auto image = renderWindow(window, 2);
    EXPECT_RGBA_NEAR(pixelAt(*image, 55, 44), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 165, 44), 255, 0, 0, 255, 0);
}

TEST_F(PreviewView, TheIconHeightIsWrittenIntoWhatIsRendered) {
    auto light = squareSettings(colors::redColor), dark = squareSettings(colors::blueColor);
    preview->setLightSettings(light);
    preview->setDarkSettings(dark);
    preview->setBatteryImageHeight(20);
    preview->refreshBattery();
    EXPECT_EQ(light->height, 20);
    EXPECT_EQ(dark->height, 20);
    EXPECT_EQ(preview->darkBatteryView()->image()->height(), 20);
    // Icons sit centred in their halves: a 20-point square in a 55 × 44 half.
    auto image = renderWindow(window, 2);
    EXPECT_RGBA_NEAR(pixelAt(*image, 35, 24), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 74, 63), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 34, 44), 242, 242, 242, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 75, 44), 242, 242, 242, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 55, 23), 242, 242, 242, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 145, 24), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 144, 44), 38, 38, 38, 255, 0);
}

TEST_F(PreviewView, LayoutPassesRenderAgainOnlyWhenSomethingChanged) {
    auto light = squareSettings(colors::redColor), dark = squareSettings(colors::blueColor);
    preview->setLightSettings(light);
    preview->setDarkSettings(dark);
    renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 2);
    for (int i = 0; i < 3; ++i) {
        preview->setNeedsLayout();
        renderWindow(window, 2);
    }
    EXPECT_EQ(preview->renderCount(), 2) << "unchanged settings keep the last images";
    light->level = 20;
    preview->setNeedsLayout();
    renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 4);
    preview->setBatteryImageHeight(22);
    preview->setNeedsLayout();
    renderWindow(window, 2);
    EXPECT_EQ(preview->renderCount(), 6);
    preview->refreshBattery();
    EXPECT_EQ(preview->renderCount(), 8) << "a caller's request always renders";
}

TEST_F(PreviewView, AfterAResizeTheIconsAreCentredOnTheNewHeight) {
    preview->setBatterySettings(squareSettings(colors::redColor));
    renderWindow(window, 2);
    const int renders = preview->renderCount();
    preview->setFrame(CGRectMake(0, 0, 110, 30));
    OffscreenScreen::runPendingBlocks();
    EXPECT_EQ(preview->renderCount(), renders) << "a new size alone needs no new images";
    EXPECT_EQ(preview->lightBatteryView()->frame(), CGRectMake(0, 2, 55, 26));
    EXPECT_EQ(preview->darkView()->frame(), CGRectMake(55, 0, 55, 30));
}

TEST_F(PreviewView, AnIconWiderThanItsHalfIsShrunkWholeIntoIt) {
    // 80 points wide and 20 high, in a 55-point half: red ends, blue between.
    auto settings = squareSettings(colors::redColor);
    settings->script = "(height, level, charging, low, color){var c=document.createElement('canvas');"
                       "c.width=4*height;c.height=height;var x=c.getContext('2d');x.fillStyle='#ff0000';"
                       "x.fillRect(0,0,4*height,height);x.fillStyle='#0000ff';x.fillRect(2,0,4*height-4,height);"
                       "return c.toDataURL('image/png')}";
    preview->setBatteryImageHeight(20);
    preview->setBatterySettings(settings);
    preview->refreshBattery();
    auto image = renderWindow(window, 2);
    // Shrunk to 49 × 12.25 points between 3-point margins: both red ends inside the half.
    EXPECT_RGBA_NEAR(pixelAt(*image, 6, 44), 255, 0, 0, 255, 40);
    EXPECT_RGBA_NEAR(pixelAt(*image, 103, 44), 255, 0, 0, 255, 40);
    EXPECT_RGBA_NEAR(pixelAt(*image, 55, 44), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 55, 28), 242, 242, 242, 255, 0);

    // Back to a small icon: its own size again.
    settings->script = kSquareTheme;
    preview->refreshBattery();
    image = renderWindow(window, 2);
    EXPECT_RGBA_NEAR(pixelAt(*image, 35, 24), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 34, 44), 242, 242, 242, 255, 0);
}

TEST_F(PreviewView, ARenderWithoutAnImageLeavesTheHalfEmpty) {
    auto settings = squareSettings(colors::redColor);
    settings->script = "(height, level, charging, low, color){ return ''; }";
    preview->setBatterySettings(settings);
    preview->refreshBattery();
    EXPECT_EQ(preview->lightBatteryView()->image(), nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window, 2), 55, 44), 242, 242, 242, 255, 0);
}

TEST_F(PreviewView, FramesThatAreNoNumbersLeaveThePreviewAsItWas) {
    preview->setFrame(CGRectMake(0, 0, std::numeric_limits<double>::quiet_NaN(), 44));
    EXPECT_EQ(preview->frame(), CGRectMake(0, 0, 110, 44));
    EXPECT_EQ(preview->lightView()->frame(), CGRectMake(0, 0, 55, 44));
}
