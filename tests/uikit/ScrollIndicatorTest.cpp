// The scroll indicator: shown while a person scrolls, where the visible part
// lies in the content, and faded out on the clock once the scrolling stops.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/tables/UIScrollView.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class ScrollIndicator : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({200, 400});
    OffscreenScreen screen{window};
    UIScrollViewPtr scroller = std::make_shared<UIScrollView>(CGRectMake(0, 0, 200, 400));

    void SetUp() override {
        UIKitTest::SetUp();
        scroller->setContentSize({200, 1600});
        window->addSubview(scroller);
        scroller->addSubview(std::make_shared<UIView>(CGRectMake(0, 0, 200, 1600)));  // content added later lies above
    }
    double shown() const { return scroller->scrollIndicator()->layer()->presentationOpacity(); }
    CGRect inWindow() const {
        UIView* bar = scroller->scrollIndicator();
        return bar->convertRectToView(bar->bounds(), nullptr);
    }
    // Darkest red along the right edge of the window.
    int darkestAtTheEdge() {
        auto image = screen.render(1);
        int darkest = 255;
        for (int y = 0; y < 400; ++y) darkest = std::min(darkest, pixelAt(*image, 196, y)[0]);
        return darkest;
    }
};

}  // namespace

TEST_F(ScrollIndicator, AWheelStepShowsWhereThePageIsAndItFadesOnceScrollingStops) {
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(darkestAtTheEdge(), 255);
    screen.scrollWheel({100, 200}, {0, 40});
    EXPECT_EQ(shown(), 1);
    const CGRect first = inWindow();
    // A quarter of the content shows: the bar is a quarter of the track, at the right edge.
    EXPECT_NEAR(first.size.height, (400 - 2 * UIScrollView::kIndicatorMargin) / 4, 0.01);
    EXPECT_NEAR(CGRectGetMaxX(first), 200 - UIScrollView::kIndicatorMargin, 0.01);
    EXPECT_LT(darkestAtTheEdge(), 200) << "drawn above the content";

    UIClock::shared().advance(UIScrollView::kIndicatorLinger * 0.9);
    screen.scrollWheel({100, 200}, {0, 400});
    EXPECT_GT(inWindow().origin.y, first.origin.y) << "it moves down as the page does";
    UIClock::shared().advance(UIScrollView::kIndicatorLinger * 0.9);
    EXPECT_EQ(shown(), 1) << "a further step keeps it shown";
    UIClock::shared().advance(UIScrollView::kIndicatorLinger * 0.1 + UIScrollView::kIndicatorFade / 2);
    EXPECT_GT(shown(), 0);
    EXPECT_LT(shown(), 1);
    UIClock::shared().advance(UIScrollView::kIndicatorFade);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(darkestAtTheEdge(), 255);

    screen.pressKey(UIKey::End);
    EXPECT_EQ(shown(), 1) << "the page keys scroll as a person does";
    EXPECT_NEAR(CGRectGetMaxY(inWindow()), 400 - UIScrollView::kIndicatorMargin, 0.01) << "at the end, at the bottom";
}

TEST_F(ScrollIndicator, DragsShowItButLayoutAndPagesSettingTheOffsetDoNot) {
    scroller->setContentOffset({0, 300});
    scroller->setContentSize({200, 2000});
    EXPECT_EQ(shown(), 0);
    screen.drag({100, 300}, {100, 200});
    EXPECT_EQ(shown(), 1);
    UIClock::shared().advance(UIScrollView::kIndicatorLinger + UIScrollView::kIndicatorFade);
    EXPECT_EQ(shown(), 0);

    // Content that fits scrolls nowhere and shows nothing; neither does a wheel step past an end.
    scroller->setContentSize({200, 300});
    screen.scrollWheel({100, 200}, {0, 40});
    screen.drag({100, 300}, {100, 100});
    EXPECT_EQ(shown(), 0);
    scroller->setContentSize({200, 1600});
    screen.scrollWheel({100, 200}, {0, -40});
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(scroller->scrollIndicator()->isUserInteractionEnabled(), false);
}

TEST_F(ScrollIndicator, AVeryLongPageStillGetsABarAFingerCanSee) {
    scroller->setContentSize({200, 400 * 100});
    screen.scrollWheel({100, 200}, {0, 40});
    EXPECT_NEAR(inWindow().size.height, UIScrollView::kIndicatorShortest, 0.01);
    screen.pressKey(UIKey::End);
    EXPECT_NEAR(CGRectGetMaxY(inWindow()), 400 - UIScrollView::kIndicatorMargin, 0.01);
}
