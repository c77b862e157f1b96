// The assembled picker: where its parts go, how they stay consistent, and how
// often the owner hears of a change.
#include <gtest/gtest.h>

#include "settings/picker/HRColorPickerView.h"
#include "tests/settings/picker/PickerTestSupport.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class ColorPicker : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 504});
    std::shared_ptr<HRColorPickerView> picker = std::make_shared<HRColorPickerView>(CGRectMake(0, 0, 320, 504));
    std::vector<UIColor> reported;
    void SetUp() override {
        UIKitTest::SetUp();
        picker->setColor(UIColor::rgb(1, 0.5, 0));
        picker->addTarget([this](UIControl& p) { reported.push_back(static_cast<HRColorPickerView&>(p).color()); },
                          UIControlEventValueChanged);
        window->addSubview(picker);
    }
    std::shared_ptr<HRColorMapView> map() { return std::dynamic_pointer_cast<HRColorMapView>(picker->colorMapView()); }
    std::shared_ptr<HRBrightnessSlider> slider() {
        return std::dynamic_pointer_cast<HRBrightnessSlider>(picker->brightnessSlider());
    }
};

}  // namespace

TEST_F(ColorPicker, PartsSitBelowTheHeader) {
    renderWindow(window);
    EXPECT_EQ(map()->frame(), CGRectMake(0, 154, 320, 306));
    auto info = picker->colorInfoView()->view();
    EXPECT_EQ(info->frame(), CGRectMake(8, 52, 66, 84));
    EXPECT_TRUE(info->isHidden());
    EXPECT_EQ(slider()->frame(), CGRectMake(12, 109, 296, 31));
    EXPECT_EQ(slider()->alignmentRectForFrame(slider()->frame()), CGRectMake(32, 119, 256, 11));
    EXPECT_EQ(picker->colorBGView()->frame(), picker->bounds());
    EXPECT_EQ(picker->subviews().front(), picker->colorBGView()) << "the tint lies behind the parts";

    auto tall = std::make_shared<HRColorPickerView>(CGRectMake(0, 0, 320, 504));
    tall->setHeaderHeightModifier(2.8f);
    window->addSubview(tall);
    renderWindow(window);
    EXPECT_EQ(tall->colorMapView()->control()->frame().origin.y, 179);
}

TEST_F(ColorPicker, ANewSizeLaysOutAgainAfterTheSixthPassAndKeepsTheMap) {
    renderWindow(window);
    ASSERT_TRUE(picker::test::waitForColorMap(*map()));
    const auto image = map()->colorMapImage();
    for (int i = 0; i < 8; ++i) {
        picker->setNeedsLayout();
        renderWindow(window);
    }
    EXPECT_GE(picker->layoutPassCount(), 6);
    map()->setFrame(CGRectMake(0, 0, 10, 10));
    picker->setNeedsLayout();
    renderWindow(window);
    EXPECT_EQ(map()->frame(), CGRectMake(0, 0, 10, 10)) << "frozen at the same size";

    picker->setFrame(CGRectMake(0, 0, 504, 320));  // rotated
    renderWindow(window);
    EXPECT_EQ(map()->frame(), CGRectMake(0, 154, 504, 122));
    EXPECT_EQ(slider()->frame().size.width, 504 - 24);
    EXPECT_EQ(map()->colorMapImage(), image);
}

TEST_F(ColorPicker, PartsFollowOneColor) {
    renderWindow(window);
    auto info = std::dynamic_pointer_cast<HRColorInfoView>(picker->colorInfoView());
    EXPECT_EQ(info->hexColorLabel()->text(), "#ff7f00");

    picker->setColor(UIColor::rgb(0, 0, 1, 0.3));
    EXPECT_TRUE(isSimilarToColor(picker->color(), UIColor::rgb(0, 0, 1), 1e-9)) << "opaque, same hue";
    EXPECT_TRUE(isSimilarToColor(*map()->color(), UIColor::rgb(0, 0, 1), 1e-9));
    EXPECT_EQ(map()->brightness(), 1);

    slider()->update({148, 15});
    EXPECT_NEAR(picker->color().blue(), 0.7, 1e-6);
    EXPECT_NEAR(map()->brightness(), 0.7, 1e-6);
    EXPECT_EQ(info->hexColorLabel()->text(), "#0000b2");
    EXPECT_EQ(picker->colorBGView()->backgroundColor(), picker->color());
}

TEST_F(ColorPicker, AChangeInsideTheSpacingIsSentWhenTheSpacingEnds) {
    renderWindow(window);
    UIClock::shared().advance(1);
    map()->update({8, 8});
    ASSERT_EQ(reported.size(), 1u);

    UIClock::shared().advance(0.030);
    map()->update({168, 8});
    map()->update({248, 8});
    EXPECT_EQ(reported.size(), 1u) << "held back";
    UIClock::shared().advance(0.030);
    EXPECT_EQ(reported.size(), 1u);
    UIClock::shared().advance(0.010);
    ASSERT_EQ(reported.size(), 2u) << "sent when 66.666 ms have passed";
    EXPECT_EQ(reported.back(), picker->color()) << "the last color of the drag";
    UIClock::shared().advance(1);
    EXPECT_EQ(reported.size(), 2u) << "once";
}
