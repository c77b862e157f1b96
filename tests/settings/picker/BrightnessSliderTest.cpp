// The brightness bar: where taps land, where the knob goes, what its label
// reads, and sizes and limits that leave nothing to divide by.
#include <gtest/gtest.h>

#include <cmath>

#include "settings/picker/HRBrightnessSlider.h"
#include "settings/picker/HSVColor.h"
#include "platform/uikit/views/UIClock.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class BrightnessSlider : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 200});
    // The bar the picker makes: its control frame starts at x 28 and is 240 wide.
    std::shared_ptr<HRBrightnessSlider> slider = std::make_shared<HRBrightnessSlider>(CGRectMake(0, 0, 296, 31));
    int events = 0;
    void SetUp() override {
        UIKitTest::SetUp();
        slider->setBrightnessLowerLimit(0.4);
        slider->setColor(UIColor::rgb(1, 0, 0));
        slider->addTarget([this](UIControl&) { ++events; }, UIControlEventValueChanged);
        window->addSubview(slider);
        renderWindow(window);
    }
};

}  // namespace

TEST_F(BrightnessSlider, TapsRunFromFullBrightnessAtTheLeftToTheLimitAtTheRight) {
    ASSERT_EQ(slider->controlFrame(), CGRectMake(28, 10, 240, 11));
    const std::pair<double, double> cases[] = {{28, 1}, {148, 0.7}, {268, 0.4}, {290, 0.4}, {10, 1}};
    for (auto [x, brightness] : cases) {
        slider->update({x, 15});
        EXPECT_NEAR(*slider->brightness(), brightness, 1e-9) << "x " << x;
    }
    EXPECT_EQ(events, 5);
    OffscreenScreen(window).tap({148, 15});
    EXPECT_NEAR(*slider->brightness(), 0.7, 1e-9);
    EXPECT_NEAR(slider->brightnessCursor()->center().x, 148, 1e-4);
    HSVComponents hsv;
    HSVColorFromUIColor(*slider->color(), &hsv);
    EXPECT_NEAR(hsv.v, 0.7, 1e-9) << "the color follows the knob";
}

TEST_F(BrightnessSlider, ColorsDarkerThanTheLimitPutTheKnobPastTheEndWithoutAnEvent) {
    slider->setColor(colorFromHSV(0, 1, 0.25));
    EXPECT_EQ(events, 0);
    EXPECT_NEAR(*slider->brightness(), 0.25, 1e-9);
    EXPECT_NEAR(slider->brightnessCursor()->center().x, 28 + 1.25 * 240, 1e-3);

    slider->setBrightnessLowerLimit(0);
    slider->setColor(UIColor::rgb(0, 0, 1));
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 272, 15), 0, 0, 0, 255, 8);
    // The bar's ends are round: its corner shows the window.
    EXPECT_RGBA_NEAR(pixelAt(*image, 275, 10), 255, 255, 255, 255, 8);
    slider->update({268, 15});
    EXPECT_EQ(*slider->brightness(), 0);
    EXPECT_EQ(slider->sliderLayer()->colors().back(), UIColor::rgb(0, 0, 0)) << "the bar ends in black";
}

TEST_F(BrightnessSlider, TheLabelRoundsToTheNearestPercent) {
    slider->setColor(colorFromHSV(0, 1, 0.7));
    EXPECT_EQ(slider->brightnessCursor()->brightnessLabel()->text(), "70%");
    slider->setColor(colorFromHSV(0, 1, 0.29));
    EXPECT_EQ(slider->brightnessCursor()->brightnessLabel()->text(), "29%");
    const auto& runs = slider->brightnessCursor()->brightnessLabel()->attributedText().runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].font->pointSize(), 14);
    EXPECT_EQ(runs[1].font->pointSize(), 12);
}

TEST_F(BrightnessSlider, EditingGrowsTheKnobOnceAndShowsTheLabel) {
    auto knob = slider->brightnessCursor();
    OffscreenScreen screen(window);
    screen.touchDown({40, 15});
    screen.touchMove({80, 15});
    screen.touchMove({100, 15});
    EXPECT_TRUE(knob->editing());
    EXPECT_EQ(knob->backLayer()->affineTransform(), CGAffineTransformMakeScale(1.6, 1.6));
    EXPECT_EQ(knob->brightnessLabel()->alpha(), 1);
    UIClock::shared().advance(0.2);
    knob->setEditing(true);
    EXPECT_EQ(knob->backLayer()->presentationTransform(), CGAffineTransformMakeScale(1.6, 1.6))
        << "the same value again starts nothing";
    screen.touchUp({100, 15});
    EXPECT_FALSE(knob->editing());
    EXPECT_EQ(knob->colorLayer()->affineTransform(), CGAffineTransformIdentity);
    EXPECT_EQ(knob->brightnessLabel()->transform(), CGAffineTransformMakeTranslation(0, 10));
}

TEST_F(BrightnessSlider, TooNarrowOrALimitOfOneStaysFinite) {
    slider->setFrame(CGRectMake(0, 0, 30, 31));
    renderWindow(window);
    slider->update({20, 15});
    EXPECT_EQ(*slider->brightness(), 1);
    slider->setBrightnessLowerLimit(1);
    slider->setColor(colorFromHSV(0.3, 1, 0.5));
    slider->setFrame(CGRectMake(0, 0, 296, 31));
    renderWindow(window);
    slider->update({148, 15});
    EXPECT_EQ(*slider->brightness(), 1);
    EXPECT_TRUE(std::isfinite(slider->brightnessCursor()->center().x));
    EXPECT_TRUE(std::isfinite(slider->color()->red()));
}
