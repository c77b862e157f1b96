// How scrolling feels: the indicator, shown while a person scrolls where the
// visible part lies in the content and faded out on the clock after, and the
// coasting of quick wheel and touchpad scrolling.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/tables/UIScrollView.h"
#include "platform/uikit/views/UIClock.h"

#include <cmath>

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

namespace {

class Coasting : public ScrollIndicator {
protected:
    void SetUp() override {
        ScrollIndicator::SetUp();
        scroller->setContentSize({200, 20000});
    }
    // `count` steps of `step` points, `spacing` seconds apart on the clock.
    void steps(int count, double step, double spacing) {
        for (int i = 0; i < count; ++i) {
            if (i) UIClock::shared().advance(spacing);
            screen.scrollWheel({100, 200}, {0, step});
        }
    }
    double offset() const { return scroller->contentOffset().y; }
};

}  // namespace

TEST_F(Coasting, QuickStepsGoOnSlowingDownAfterTheLastUntilThePageRests) {
    steps(5, 40, 0.01);  // a spun wheel: 4000 points a second
    EXPECT_EQ(offset(), 200);
    UIClock::shared().advance(UIScrollView::kCoastDelay * 0.9);
    EXPECT_EQ(offset(), 200) << "nothing moves while steps may still come";
    UIClock::shared().advance(0.2);
    EXPECT_TRUE(scroller->isCoasting());
    const double early = offset();
    EXPECT_GT(early, 400);
    UIClock::shared().advance(0.2);
    const double later = offset();
    EXPECT_GT(later - early, 0);
    EXPECT_LT(later - early, early - 200) << "it slows down";
    UIClock::shared().advance(5);
    EXPECT_FALSE(scroller->isCoasting());
    const double rest = offset();
    // Coasting from 4000 points a second covers about 4000 / ln(1 / 0.135), some 2000 points.
    EXPECT_NEAR(rest - 200, 4000 / std::log(1 / UIScrollView::kDecelerationPerSecond), 250);
    UIClock::shared().advance(1);
    EXPECT_EQ(offset(), rest);
    EXPECT_EQ(UIClock::shared().pendingCount(), 0u) << "nothing ticks on a page at rest";
}

TEST_F(Coasting, ATouchpadsSmoothStepsCoastUpwardsTooButSlowScrollingStopsWhereItIs) {
    scroller->setContentOffset({0, 5000});
    steps(20, -6, 0.008);  // fingers sliding up the pad
    UIClock::shared().advance(2);
    EXPECT_LT(offset(), 5000 - 20 * 6 - 100);

    scroller->setContentOffset({0, 5000});
    steps(6, 40, 0.2);  // one notch at a time
    UIClock::shared().advance(2);
    EXPECT_EQ(offset(), 5000 + 6 * 40);
    steps(1, 40, 0);
    UIClock::shared().advance(2);
    EXPECT_EQ(offset(), 5000 + 7 * 40) << "a lone step has no speed";
}

TEST_F(Coasting, ADragOrAnEndStopsIt) {
    steps(5, 40, 0.01);
    UIClock::shared().advance(0.2);
    ASSERT_TRUE(scroller->isCoasting());
    screen.drag({100, 300}, {100, 290}, 2, 0.02);
    const double held = offset();
    EXPECT_FALSE(scroller->isCoasting());
    UIClock::shared().advance(2);
    EXPECT_EQ(offset(), held);

    scroller->setContentSize({200, 1000});
    scroller->setContentOffset({0, 0});
    steps(5, 40, 0.01);
    UIClock::shared().advance(3);
    EXPECT_EQ(offset(), scroller->maximumContentOffset().y);
    EXPECT_FALSE(scroller->isCoasting());
    EXPECT_EQ(UIClock::shared().pendingCount(), 0u);
}
