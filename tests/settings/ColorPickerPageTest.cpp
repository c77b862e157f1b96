// The picker page on a navigation stack: what leaves it and when, how the
// preview settings follow the color, the hex entry with copy and paste, where
// its parts sit, and its map's background work when the page goes early.
#include <chrono>

#include "common/ColorParsing.h"
#include "platform/uikit/services/UIPasteboard.h"
#include "platform/uikit/views/UIClock.h"
#include "settings/picker/QVAXColorPickerViewController.h"
#include "settings/preview/DefaultThemeScript.h"
#include "tests/settings/PageTestSupport.h"
#include "tests/settings/picker/PickerTestSupport.h"

using namespace uikit;

namespace {

struct Recorder : QVAXColorPickerViewControllerDelegate {
    std::vector<UIColor> picked;
    void colorPickerControllerDidFinishPickingWithColor(QVAXColorPickerViewController&, const UIColor& c) override {
        picked.push_back(c);
    }
};

std::string hex(const UIColor& color) { return ColorParsing::hexStringFromColor(color, true, true).value_or("?"); }

PreviewRenderSettings renderSettings(std::optional<double> shareAlpha = std::nullopt) {
    RenderSettings base;
    base.script = defaultThemeScript();
    base.baseColor = UIColor::rgb(0, 0, 0, 0x55 / 255.0);
    base.shareAlpha = shareAlpha;
    return {std::make_shared<RenderSettings>(base), std::make_shared<RenderSettings>(base)};
}

class PickerPage : public pagetest::PageTest {
protected:
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    std::shared_ptr<QVAXColorPickerViewController> picker;

    // Pushes a picker over a plain first page, with the recorder as its delegate.
    void open(const UIColor& start, bool useAlpha) {
        show(std::make_shared<UIViewController>());
        picker = std::make_shared<QVAXColorPickerViewController>(start, true, useAlpha);
        picker->setDelegate(recorder);
        nav->pushViewController(picker, true);
        settle();
    }
    HRColorMapView& map() { return static_cast<HRColorMapView&>(*picker->colorPickerView()->colorMapView()); }
    void leave() {
        nav->popViewControllerAnimated(true);
        settle();
    }
    void hexAnswer(long button, std::optional<std::string> typed = std::nullopt) {
        picker->hexTapped();
        settle();
        ASSERT_TRUE(alert());
        if (typed) alert()->textFieldAtIndex(0)->setText(*typed);
        answerAlert(button);
    }
};

}  // namespace

TEST_F(PickerPage, LeavingReportsTheColorUnderTheCursorOnceAndCancelReportsNothing) {
    open(UIColor::rgb(1, 0, 0), false);
    UIClock::shared().advance(1);
    map().update({8, 8});
    UIClock::shared().advance(0.03);
    map().update({200, 100});  // inside the event spacing: held back
    const UIColor underCursor = *map().color();
    leave();
    ASSERT_EQ(recorder->picked.size(), 1u);
    EXPECT_TRUE(isSimilarToColor(recorder->picked[0], underCursor, 1e-9)) << hex(recorder->picked[0]);
    EXPECT_EQ(recorder->picked[0].alpha(), 1);

    recorder->picked.clear();
    nav->pushViewController(picker, true);
    settle();
    picker->cancelButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    settle();
    EXPECT_EQ(nav->topViewController(), nav->viewControllers().front());
    EXPECT_TRUE(recorder->picked.empty());

    // A page that shows again after a cancel reports normally.
    nav->pushViewController(picker, true);
    settle();
    leave();
    EXPECT_EQ(recorder->picked.size(), 1u);
}

TEST_F(PickerPage, ThePreviewSettingsFollowTheColorAndTheLevel) {
    open(UIColor::rgb(1, 1, 1), false);
    picker->percentSlider()->setValue(0.3);
    picker->percentSlider()->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(picker->defaultBatterySettings()->level, 30);
    EXPECT_EQ(picker->batteryPreview()->batterySettings(), picker->defaultBatterySettings());

    auto settings = renderSettings();
    picker->setUpdateKey("baseColor");
    picker->setUpdateForegroundKey("darkSettings");
    picker->setBatterySettings(settings);
    picker->setColor(UIColor::rgb(0, 0, 1));
    EXPECT_EQ(settings.darkSettings->baseColor, UIColor::rgb(0, 0, 1));
    EXPECT_EQ(settings.darkSettings->color, UIColor::rgb(1, 1, 1)) << "only the entry named";
    EXPECT_EQ(settings.lightSettings->baseColor.alpha(), 0x55 / 255.0) << "only the group named";
    EXPECT_EQ(settings.lightSettings->level, 30);
    EXPECT_EQ(picker->batteryPreview()->darkSettings(), settings.darkSettings);

    // A shared main color: the base is the main color at the shared alpha, or at the base's own.
    for (auto share : {std::optional<double>(0.3), std::optional<double>()}) {
        settings = renderSettings(share);
        picker->setUpdateKey(std::nullopt);
        picker->setUpdateForegroundKey(std::nullopt);
        picker->setBatterySettings(settings);
        picker->setColor(UIColor::rgb(1, 0, 0));
        for (const auto& group : {settings.lightSettings, settings.darkSettings}) {
            EXPECT_EQ(group->color, UIColor::rgb(1, 0, 0));
            EXPECT_EQ(group->baseColor, UIColor::rgb(1, 0, 0, share.value_or(0x55 / 255.0)));
        }
    }
}

TEST_F(PickerPage, HexEntryKeepsTheAlphaOfAnAlphaRow) {
    open(UIColor::rgb(0, 0, 0, 0x55 / 255.0), true);
    picker->hexTapped();
    settle();
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Hex Color");
    EXPECT_EQ(alert()->message(), "Enter a hex color or copy it to your pasteboard.");
    EXPECT_EQ(alert()->numberOfButtons(), 4);
    EXPECT_EQ(alert()->buttonTitleAtIndex(3), "Paste");
    EXPECT_EQ(alert()->textFieldAtIndex(0)->text(), "#00000055");
    answerAlert(2);  // Copy
    EXPECT_EQ(UIPasteboard::generalPasteboard().string(), "#00000055");

    UIPasteboard::generalPasteboard().setString(std::string("#00ff0080"));
    hexAnswer(3);
    EXPECT_EQ(hex(picker->pickedColor()), "#00ff0080");
    EXPECT_EQ(hex(picker->colorPickerView()->color()), "#00ff00ff");
    EXPECT_EQ(picker->alphaSlider()->value(), 0x80 / 255.0);

    // Six digits say nothing of alpha; an empty text changes nothing.
    hexAnswer(1, "#123456");
    EXPECT_EQ(hex(picker->pickedColor()), "#12345680");
    hexAnswer(1, "");
    EXPECT_EQ(hex(picker->pickedColor()), "#12345680");
    UIPasteboard::generalPasteboard().setString(std::nullopt);
    hexAnswer(3);
    EXPECT_EQ(hex(picker->pickedColor()), "#12345680");
    leave();
    ASSERT_EQ(recorder->picked.size(), 1u);
    EXPECT_EQ(hex(recorder->picked[0]), "#12345680") << "the hex text's exact digits, not a round trip through HSV";
}

TEST_F(PickerPage, WithoutAlphaThePickedColorIsOpaqueAndShortScreensHaveNoPaste) {
    UIScreen::mainScreen().setPortraitSize({320, 480});
    window = test::makeWindow({320, 480});
    screen = std::make_shared<OffscreenScreen>(window);
    open(UIColor::rgb(1, 0, 0, 0.5), false);
    EXPECT_FALSE(picker->alphaSlider());
    EXPECT_EQ(picker->pickedColor(), UIColor::rgb(1, 0, 0));
    hexAnswer(1, "#00ff0033");
    EXPECT_EQ(hex(picker->pickedColor()), "#00ff00ff");
    picker->hexTapped();
    settle();
    EXPECT_EQ(alert()->numberOfButtons(), 3);
    answerAlert(0);
}

TEST_F(PickerPage, PartsSitInFrontOfTheHeaderWhereThePhoneShowsThem) {
    open(UIColor::rgb(0, 0, 0, 0.5), true);
    const CGRect page = picker->view()->frame();
    EXPECT_EQ(page, CGRectMake(0, 0, 375, 667 - 64)) << "below the bar";
    EXPECT_EQ(picker->colorPickerView()->frame(), picker->view()->bounds());
    EXPECT_EQ(map().frame(), CGRectMake(0, 179, 375, 603 - 179 - 44));
    // Measured from the screen's top, as on the phone, where the page reaches under the bar.
    auto onScreen = [](const UIView& v) { return v.convertRectToView(v.bounds(), nullptr); };
    EXPECT_EQ(onScreen(*picker->batteryPreview()), CGRectMake(187.5 - 75, 80, 150, 44));
    EXPECT_EQ(onScreen(*picker->percentSlider()), CGRectMake(37.5, 126, 300, 40));
    EXPECT_EQ(onScreen(*picker->alphaSlider()), CGRectMake(37.5, 158, 300, 40));
    EXPECT_EQ(picker->cancelButton()->frame().origin.y + picker->cancelButton()->frame().size.height, 603 - 6);
    ASSERT_EQ(picker->navigationItem()->rightBarButtonItems().size(), 1u);
    EXPECT_EQ(picker->navigationItem()->rightBarButtonItems()[0]->title(), "#");
    EXPECT_EQ(nav->navigationBar()->tintColor(), QVAXColorPickerViewController::kAccentColor);
    shot("picker");
}

TEST_F(PickerPage, TheMapFadesInOnlyOnceItsWorkerFinished) {
    open(UIColor::rgb(1, 0, 0), false);
    ASSERT_TRUE(picker::test::waitForColorMap(map()));
    EXPECT_EQ(map().alpha(), 1);
    const double start = map().layer()->presentationOpacity();
    UIClock::shared().advance(0.1);
    const double half = map().layer()->presentationOpacity();
    UIClock::shared().advance(0.11);
    EXPECT_LT(start, 0.1);
    EXPECT_GT(half, 0.3);
    EXPECT_LT(half, 0.7);
    EXPECT_EQ(map().layer()->presentationOpacity(), 1);
    EXPECT_EQ(map().colorMapImage()->width(), 375);
}

TEST_F(PickerPage, APageLeftWhileItsMapIsBeingMadeGoesQuietly) {
    for (int round = 0; round < 3; ++round) {
        open(UIColor::rgb(0, 0, 1), round == 1);
        std::weak_ptr<QVAXColorPickerViewController> gone = picker;
        std::weak_ptr<HRColorMapView> goneMap =
            std::static_pointer_cast<HRColorMapView>(picker->colorPickerView()->colorMapView()->control());
        nav->popViewControllerAnimated(false);
        picker.reset();
        window->setRootViewController(nullptr);
        nav.reset();
        EXPECT_TRUE(gone.expired());
        EXPECT_TRUE(goneMap.expired());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
        while (std::chrono::steady_clock::now() < deadline) OffscreenScreen::runPendingBlocks();
        EXPECT_EQ(recorder->picked.size(), size_t(round + 1));
    }
}
