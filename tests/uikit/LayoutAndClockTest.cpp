// The coalesced layout pass and the clock that animations run on.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/views/LayoutCycle.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class LayoutCycleTest : public UIKitTest {};
class Animations : public UIKitTest {};

struct CountingView : UIView {
    using UIView::UIView;
    int passes = 0;
    std::vector<CGSize> sizes;
    void layoutSubviews() override {
        ++passes;
        sizes.push_back(bounds().size);
    }
};

}  // namespace

TEST_F(LayoutCycleTest, ManyRequestsInOneTurnMakeOnePass) {
    auto window = makeWindow({100, 100});
    auto view = std::make_shared<CountingView>(CGRectMake(0, 0, 10, 10));
    window->addSubview(view);
    OffscreenScreen::runPendingBlocks();
    view->passes = 0;
    const int before = LayoutCycle::shared().passCount();

    view->setNeedsLayout();
    view->setFrame(CGRectMake(0, 0, 20, 20));
    view->setFrame(CGRectMake(0, 0, 30, 30));
    view->setNeedsLayout();
    EXPECT_EQ(view->passes, 0) << "nothing runs before the turn ends";
    OffscreenScreen::runPendingBlocks();
    EXPECT_EQ(view->passes, 1);
    EXPECT_EQ(view->sizes.back(), CGSizeMake(30, 30));
    EXPECT_EQ(LayoutCycle::shared().passCount(), before + 1);

    OffscreenScreen::runPendingBlocks();
    EXPECT_EQ(view->passes, 1) << "no request, no pass";
}

TEST_F(LayoutCycleTest, OnlyAChangedSizeLaysOutAgain) {
    auto window = makeWindow({100, 100});
    auto view = std::make_shared<CountingView>(CGRectMake(0, 0, 10, 10));
    window->addSubview(view);
    OffscreenScreen::runPendingBlocks();
    view->passes = 0;
    view->setFrame(CGRectMake(50, 50, 10, 10));  // moved, same size
    OffscreenScreen::runPendingBlocks();
    EXPECT_EQ(view->passes, 0);
    view->addSubview(std::make_shared<UIView>());
    OffscreenScreen::runPendingBlocks();
    EXPECT_EQ(view->passes, 1) << "adding a subview lays out its new superview";
}

TEST_F(LayoutCycleTest, DrawingLaysOutFirstAndParentsBeforeChildren) {
    auto window = makeWindow({100, 100});
    std::vector<std::string> order;
    struct Named : UIView {
        std::vector<std::string>* log;
        std::string name;
        Named(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
        void layoutSubviews() override { log->push_back(name); }
    };
    auto parent = std::make_shared<Named>(&order, "parent");
    auto child = std::make_shared<Named>(&order, "child");
    parent->addSubview(child);
    window->addSubview(parent);
    child->setNeedsLayout();
    parent->setNeedsLayout();
    renderWindow(window);
    EXPECT_EQ(order, (std::vector<std::string>{"parent", "child"}));
}

TEST_F(Animations, CompleteAtTheirEndAndNotBefore) {
    auto view = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    view->setAlpha(0);
    int completions = 0;
    UIView::animateWithDuration(0.2, [&] { view->setAlpha(1); }, [&](bool finished) {
        EXPECT_TRUE(finished);
        ++completions;
    });
    EXPECT_EQ(view->alpha(), 1) << "the model takes the new value at once";
    EXPECT_EQ(view->layer()->presentationOpacity(), 0);
    UIClock::shared().advance(0.1);
    EXPECT_NEAR(view->layer()->presentationOpacity(), 0.5, 1e-6);
    UIClock::shared().advance(0.099);
    EXPECT_EQ(completions, 0);
    EXPECT_GT(view->layer()->presentationOpacity(), 0.99);
    EXPECT_LT(view->layer()->presentationOpacity(), 1);
    UIClock::shared().advance(0.001);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(view->layer()->presentationOpacity(), 1);
    EXPECT_FALSE(view->layer()->hasAnimations());
}

TEST_F(Animations, TransformsAnimateAndShowInThePixels) {
    auto window = makeWindow({40, 20});
    auto box = std::make_shared<UIView>(CGRectMake(0, 0, 10, 20));
    box->setBackgroundColor(colors::blackColor);
    window->addSubview(box);
    UIView::animateWithDuration(1.25, [&] { box->setTransform(CGAffineTransformMakeTranslation(30, 0)); });
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 5, 10), 0, 0, 0, 255, 0);
    UIClock::shared().advance(1.25);
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, 10), 255, 255, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 35, 10), 0, 0, 0, 255, 0);
}

TEST_F(Animations, ZeroDurationCompletesOnTheNextClockStepAndDelaysWait) {
    auto view = std::make_shared<UIView>();
    bool done = false;
    UIView::animateWithDuration(0, [&] { view->setAlpha(0.5); }, [&](bool) { done = true; });
    EXPECT_EQ(view->layer()->presentationOpacity(), 0.5);
    UIClock::shared().advance(0);
    EXPECT_TRUE(done);

    bool late = false;
    UIView::animateWithDuration(0.1, 0.5, [&] { view->setAlpha(1); }, [&](bool) { late = true; });
    UIClock::shared().advance(0.3);
    EXPECT_EQ(view->layer()->presentationOpacity(), 0.5) << "still waiting for the delay";
    UIClock::shared().advance(0.3);
    EXPECT_TRUE(late);
}

TEST_F(Animations, ClockRunsCallbacksInTimeOrderIncludingOnesAddedMeanwhile) {
    std::vector<int> order;
    auto& clock = UIClock::shared();
    clock.schedule(0.3, [&] { order.push_back(3); });
    clock.schedule(0.1, [&] {
        order.push_back(1);
        clock.schedule(0.1, [&] { order.push_back(2); });
    });
    const int cancelled = clock.schedule(0.2, [&] { order.push_back(99); });
    clock.cancel(cancelled);
    clock.advance(0.25);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    clock.advance(0.05);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}
