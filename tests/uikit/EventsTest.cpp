// Touches from the window to recognizers and views, the responder chain, and
// the controls that live on them.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UISegmentedControl.h"
#include "platform/uikit/controls/UISlider.h"
#include "platform/uikit/controls/UISwitch.h"
#include "platform/uikit/events/UIPanGestureRecognizer.h"
#include "platform/uikit/events/UITapGestureRecognizer.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class Events : public UIKitTest {};
class Controls : public UIKitTest {};

struct TouchLog : UIView {
    using UIView::UIView;
    std::vector<std::string> log;
    void touchesBegan(const UITouchSet&, const UIEvent&) override { log.push_back("began"); }
    void touchesMoved(const UITouchSet&, const UIEvent&) override { log.push_back("moved"); }
    void touchesEnded(const UITouchSet&, const UIEvent&) override { log.push_back("ended"); }
    void touchesCancelled(const UITouchSet&, const UIEvent&) override { log.push_back("cancelled"); }
};

// Stands for a view controller: next in the chain after its view.
struct Controller : UIResponder {
    UIViewPtr view = std::make_shared<UIView>(CGRectMake(0, 0, 200, 200));
    UIResponder* nextResponder() const override { return view->superview(); }
    std::vector<UIKey> keys;
    bool pressKey(UIKey key) override {
        keys.push_back(key);
        return true;
    }
};
struct OtherController : Controller {};

std::shared_ptr<Controller> attach(std::shared_ptr<Controller> c, const UIWindowPtr& window) {
    c->view->setViewController(c);
    window->addSubview(c->view);
    return c;
}

}  // namespace

TEST_F(Events, HitTestingSkipsHiddenTransparentAndInertViews) {
    auto window = makeWindow({100, 100});
    auto under = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto over = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    window->addSubview(under);
    window->addSubview(over);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), over.get());
    over->setAlpha(0.009);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), under.get());
    over->setAlpha(0.01);
    over->setHidden(true);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), under.get());
    over->setHidden(false);
    over->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), under.get());
    EXPECT_EQ(window->hitTest({150, 50}, nullptr), nullptr);
}

TEST_F(Events, HitTestingFollowsTransformsAndIgnoresOutsideClippedParents) {
    auto window = makeWindow({100, 100});
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 50, 50));
    auto child = std::make_shared<UIView>(CGRectMake(40, 40, 40, 40));  // sticks out of the parent
    parent->addSubview(child);
    window->addSubview(parent);
    // A point outside the parent does not reach the child, as on the phone.
    EXPECT_EQ(window->hitTest({70, 70}, nullptr), window.get());
    EXPECT_EQ(window->hitTest({45, 45}, nullptr), child.get());
    parent->setTransform(CGAffineTransformMakeTranslation(50, 0));
    EXPECT_EQ(window->hitTest({95, 45}, nullptr), child.get());
    EXPECT_EQ(window->hitTest({45, 45}, nullptr), window.get());
}

TEST_F(Events, TapRecognizerSeesTheTouchFirstAndTakesItFromTheView) {
    auto window = makeWindow({100, 100});
    auto view = std::make_shared<TouchLog>(CGRectMake(0, 0, 100, 100));
    int taps = 0;
    CGPoint where;
    auto tap = std::make_shared<UITapGestureRecognizer>([&](UIGestureRecognizer& r) {
        ++taps;
        where = r.locationInView(view.get());
        EXPECT_EQ(r.state(), UIGestureRecognizerState::Ended);
    });
    view->addGestureRecognizer(tap);
    window->addSubview(view);
    view->setFrame(CGRectMake(10, 10, 80, 80));
    OffscreenScreen screen(window);
    screen.tap({30, 40});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(where, CGPointMake(20, 30));
    EXPECT_EQ(view->log, (std::vector<std::string>{"began", "cancelled"}));
    EXPECT_EQ(tap->state(), UIGestureRecognizerState::Possible) << "ready for the next tap";

    view->log.clear();
    screen.drag({30, 40}, {80, 40});  // too far for a tap
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(view->log.front(), "began");
    EXPECT_EQ(view->log.back(), "ended");
}

TEST_F(Events, PanReportsBeganChangedAndEnded) {
    auto window = makeWindow({200, 100});
    auto view = std::make_shared<TouchLog>(CGRectMake(0, 0, 200, 100));
    std::vector<UIGestureRecognizerState> states;
    std::vector<size_t> touchCounts;
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->addTarget([&](UIGestureRecognizer& r) {
        states.push_back(r.state());
        touchCounts.push_back(r.numberOfTouches());
    });
    view->addGestureRecognizer(pan);
    window->addSubview(view);
    OffscreenScreen screen(window);
    screen.drag({10, 50}, {110, 50}, 5);
    ASSERT_GE(states.size(), 3u);
    EXPECT_EQ(states.front(), UIGestureRecognizerState::Began);
    for (size_t i = 1; i + 1 < states.size(); ++i) EXPECT_EQ(states[i], UIGestureRecognizerState::Changed);
    EXPECT_EQ(states.back(), UIGestureRecognizerState::Ended);
    EXPECT_EQ(touchCounts.front(), 1u);
    EXPECT_EQ(touchCounts.back(), 0u) << "the finger is up when it ends";
    EXPECT_EQ(pan->translationInView(view.get()), CGPointMake(100, 0));
    EXPECT_EQ(pan->locationInView(view.get()), CGPointMake(110, 50));
    EXPECT_EQ(view->log.back(), "cancelled");
}

TEST_F(Events, KeysGoUpTheResponderChainFromTheFirstResponder) {
    auto window = makeWindow({200, 200});
    auto controller = attach(std::make_shared<Controller>(), window);
    struct Focusable : UIView {
        bool canBecomeFirstResponder() const override { return true; }
    };
    auto field = std::make_shared<Focusable>();
    controller->view->addSubview(field);
    ASSERT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(field->isFirstResponder());
    OffscreenScreen(window).pressKey(UIKey::Escape);
    EXPECT_EQ(controller->keys, (std::vector<UIKey>{UIKey::Escape}));
    field->removeFromSuperview();
    EXPECT_EQ(window->firstResponder(), nullptr) << "a removed view stops being first responder";
    auto detached = std::make_shared<Focusable>();
    EXPECT_FALSE(detached->becomeFirstResponder()) << "not in a window";
}

TEST_F(Controls, TapTogglesASwitchOnceAndSendsValueChangedOnce) {
    auto window = makeWindow({200, 100});
    auto cell = std::make_shared<UIView>(CGRectMake(0, 0, 200, 100));
    int cellTaps = 0;
    cell->addGestureRecognizer(std::make_shared<UITapGestureRecognizer>([&](UIGestureRecognizer&) { ++cellTaps; }));
    auto toggle = std::make_shared<UISwitch>(CGRectMake(100, 30, 0, 0));
    EXPECT_EQ(toggle->frame().size, UISwitch::kSize);
    toggle->setFrame(CGRectMake(100, 30, 200, 100));
    EXPECT_EQ(toggle->frame(), CGRectMake(100, 30, 51, 31)) << "a switch keeps its own size";
    int changes = 0, touchUps = 0;
    toggle->addTarget([&](UIControl&) { ++changes; }, UIControlEventValueChanged);
    toggle->addTarget([&](UIControl&) { ++touchUps; }, UIControlEventTouchUpInside);
    cell->addSubview(toggle);
    window->addSubview(cell);
    OffscreenScreen screen(window);
    screen.tap({120, 45});
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(touchUps, 1);
    EXPECT_EQ(cellTaps, 0) << "the cell's recognizer leaves the switch's tap alone";
    screen.tap({120, 45});
    EXPECT_FALSE(toggle->isOn());
    EXPECT_EQ(changes, 2);
    screen.tap({20, 45});
    EXPECT_EQ(cellTaps, 1);
    toggle->setOn(true);
    EXPECT_EQ(changes, 2) << "setting the state in code sends nothing";
}

TEST_F(Controls, DraggingASwitchTakesTheSideItIsLetGoOn) {
    auto window = makeWindow({200, 100});
    auto toggle = std::make_shared<UISwitch>(CGRectMake(100, 30, 0, 0));
    int changes = 0;
    toggle->addTarget([&](UIControl&) { ++changes; }, UIControlEventValueChanged);
    window->addSubview(toggle);
    OffscreenScreen screen(window);
    screen.drag({105, 45}, {145, 45});
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(changes, 1);
    screen.drag({145, 45}, {140, 45});  // stays on the on side
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(changes, 1);
}

TEST_F(Controls, SwitchOnTintComesFromTheProxyOfItsContainingController) {
    auto window = makeWindow({400, 200});
    auto mine = attach(std::make_shared<Controller>(), window);
    auto other = attach(std::make_shared<OtherController>(), window);
    const UIColor pane = UIColor::rgb(143 / 255.0, 0, 1);
    UISwitch::appearanceWhenContainedInInstancesOfClasses({UIAppearanceContainer::classOf(*mine)}).setOnTintColor(pane);
    auto inMine = std::make_shared<UISwitch>(), inOther = std::make_shared<UISwitch>();
    mine->view->addSubview(inMine);
    other->view->addSubview(inOther);
    EXPECT_EQ(inMine->onTintColor(), pane);
    EXPECT_EQ(inOther->onTintColor(), colors::systemGreenColor) << "another controller's class is not matched";
    // The general proxy is overridden by the contained one; the instance's own value wins over both.
    UISwitch::appearance().setOnTintColor(colors::redColor);
    auto later = std::make_shared<UISwitch>();
    mine->view->addSubview(later);
    EXPECT_EQ(later->onTintColor(), pane);
    later->setOnTintColor(colors::blueColor);
    EXPECT_EQ(later->onTintColor(), colors::blueColor);
    auto loose = std::make_shared<UISwitch>();
    window->addSubview(loose);
    EXPECT_EQ(loose->onTintColor(), colors::redColor);
    // Subclass instances match the template form but not the exact-class form.
    UISwitch::appearanceWhenContainedIn({UIAppearanceContainer::of<Controller>()}).setThumbTintColor(colors::greenColor);
    auto sub = std::make_shared<UISwitch>();
    other->view->addSubview(sub);
    EXPECT_EQ(sub->thumbTintColor(), colors::greenColor);
    EXPECT_EQ(sub->onTintColor(), colors::redColor);
    UIAppearance<UISwitchAppearance>::resetAll();
}

TEST_F(Controls, SwitchDrawsItsOnTint) {
    auto window = makeWindow({60, 40});
    auto toggle = std::make_shared<UISwitch>(CGRectMake(0, 0, 0, 0));
    toggle->setOnTintColor(colors::redColor);
    window->addSubview(toggle);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window, 2), 16, 31), 255, 255, 255, 255, 0);
    toggle->setOn(true);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window, 2), 16, 31), 255, 0, 0, 255, 0);
}

TEST_F(Controls, SliderFollowsTheThumbAndJumpsToATap) {
    auto window = makeWindow({300, 100});
    auto slider = std::make_shared<UISlider>(CGRectMake(0, 0, 228, 31));  // track 14..214
    slider->setValue(0.5);
    std::vector<double> values;
    slider->addTarget([&](UIControl& c) { values.push_back(static_cast<UISlider&>(c).value()); },
                      UIControlEventValueChanged);
    window->addSubview(slider);
    OffscreenScreen screen(window);
    screen.drag({114, 15}, {164, 15}, 5);
    EXPECT_NEAR(slider->value(), 0.75, 1e-9);
    EXPECT_EQ(values.size(), 5u) << "continuous: one per move";
    values.clear();
    slider->setContinuous(false);
    screen.tap({34, 15});
    EXPECT_NEAR(slider->value(), 0.1, 1e-9);
    EXPECT_EQ(values, (std::vector<double>{slider->value()})) << "not continuous: once on release";
    screen.drag({34, 15}, {400, 15});
    EXPECT_EQ(slider->value(), 1) << "clamped at the maximum";
    slider->setMaximumValue(0.5);
    EXPECT_EQ(slider->value(), 0.5);
}

TEST_F(Controls, ButtonSendsTouchUpInsideOnlyWhenReleasedOnIt) {
    auto window = makeWindow({300, 300});
    auto button = UIButton::buttonWithType(UIButtonType::System);
    button->setFrame(CGRectMake(10, 10, 80, 30));
    button->setTitle("Save");
    int inside = 0, outside = 0, down = 0;
    button->addTarget([&](UIControl&) { ++inside; }, UIControlEventTouchUpInside);
    button->addTarget([&](UIControl&) { ++outside; }, UIControlEventTouchUpOutside);
    button->addTarget([&](UIControl&) { ++down; }, UIControlEventTouchDown);
    window->addSubview(button);
    OffscreenScreen screen(window);
    screen.tap({50, 25});
    screen.drag({50, 25}, {280, 280});
    EXPECT_EQ(down, 2);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(outside, 1);
    EXPECT_EQ(button->currentTitle(), "Save");
    EXPECT_EQ(button->titleLabel()->textColor(), colors::systemBlueColor);
    button->setEnabled(false);
    screen.tap({50, 25});
    EXPECT_EQ(inside, 1) << "a disabled button does nothing";
}

TEST_F(Controls, TargetsHeldWeaklyStopWhenTheTargetGoes) {
    struct Page {
        int calls = 0;
        void changed(UIControl&) { ++calls; }
    };
    auto page = std::make_shared<Page>();
    UISwitch toggle;
    toggle.addTarget(page, &Page::changed, UIControlEventValueChanged);
    toggle.sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(page->calls, 1);
    page.reset();
    toggle.sendActionsForControlEvents(UIControlEventValueChanged);  // must not touch the freed page
}

TEST_F(Controls, SegmentsSelectWhereTappedAndReportOnlyChanges) {
    auto window = makeWindow({320, 100});
    OffscreenScreen screen(window);
    auto segments = std::make_shared<UISegmentedControl>(std::vector<std::string>{"Left", "Middle", "Right"});
    segments->setFrame(CGRectMake(10, 10, 300, 29));
    window->addSubview(segments);
    int changes = 0;
    segments->addTarget([&](UIControl&) { ++changes; }, UIControlEventValueChanged);
    EXPECT_EQ(segments->selectedSegmentIndex(), UISegmentedControl::kNoSegment);
    screen.tap({260, 20});
    EXPECT_EQ(segments->selectedSegmentIndex(), 2);
    screen.tap({260, 20});
    screen.tap({20, 80});  // outside
    EXPECT_EQ(changes, 1);
    segments->setSelectedSegmentIndex(7);
    EXPECT_EQ(segments->selectedSegmentIndex(), UISegmentedControl::kNoSegment);
}
