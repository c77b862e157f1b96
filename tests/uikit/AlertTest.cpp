// Alerts as overlays: keys, delegate order, queueing, weak delegates; and the pasteboard.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/services/UIPasteboard.h"

using namespace uikit;
using namespace uikit::test;

namespace {

struct Recorder : UIAlertViewDelegate {
    std::vector<std::string> calls;
    std::string typed;
    void alertViewClickedButtonAtIndex(UIAlertView& alert, long index) override {
        calls.push_back("clicked " + std::to_string(index));
        if (auto field = alert.textFieldAtIndex(0)) typed = field->text();
    }
    void alertViewWillDismissWithButtonIndex(UIAlertView&, long index) override {
        calls.push_back("will " + std::to_string(index));
    }
    void alertViewDidDismissWithButtonIndex(UIAlertView&, long index) override {
        calls.push_back("did " + std::to_string(index));
    }
};

class Alerts : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 480});
    OffscreenScreen screen{window};
    std::shared_ptr<Recorder> delegate = std::make_shared<Recorder>();

    UIAlertViewPtr hexAlert() {
        auto alert = std::make_shared<UIAlertView>("Hex", "Enter a color", delegate, "Cancel",
                                                   std::vector<std::string>{"Set"});
        alert->setAlertViewStyle(UIAlertViewStyle::PlainTextInput);
        return alert;
    }
    void TearDown() override {
        while (auto alert = UIAlertView::visibleAlert()) alert->dismissWithClickedButtonIndex(0, false);
        UIKitTest::TearDown();
    }
};

}  // namespace

TEST_F(Alerts, ButtonsAreNumberedFromTheCancelButton) {
    UIAlertView withCancel("t", "m", {}, "Cancel", {"A", "B"});
    EXPECT_EQ(withCancel.cancelButtonIndex(), 0);
    EXPECT_EQ(withCancel.firstOtherButtonIndex(), 1);
    EXPECT_EQ(withCancel.buttonTitleAtIndex(2), "B");
    UIAlertView without("Old Settings", "m", {}, std::nullopt, {"Ok Sweet!"});
    EXPECT_EQ(without.cancelButtonIndex(), -1);
    EXPECT_EQ(without.firstOtherButtonIndex(), 0);
    EXPECT_EQ(without.textFieldAtIndex(0), nullptr);
}

TEST_F(Alerts, ReturnClicksTheFirstOtherButtonWithTheTypedText) {
    const auto contentBefore = window->subviews();
    auto alert = hexAlert();
    alert->show();
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(window->subviews(), contentBefore) << "an overlay, not a change of the page";
    screen.typeText("#8f00ff");
    screen.pressKey(UIKey::Backspace);
    screen.pressKey(UIKey::Return);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 1", "will 1", "did 1"}));
    EXPECT_EQ(delegate->typed, "#8f00f");
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(UIAlertView::visibleAlert(), nullptr);
}

TEST_F(Alerts, EscapeClicksCancel) {
    auto alert = hexAlert();
    alert->show();
    screen.pressKey(UIKey::Escape);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 0", "will 0", "did 0"}));
}

TEST_F(Alerts, EscapeClosesANoticeByItsOnlyButtonButNeverChoosesAmongOthers) {
    auto notice = std::make_shared<UIAlertView>("Old Settings", "m", delegate, std::nullopt,
                                                std::vector<std::string>{"Ok Sweet!"});
    notice->show();
    screen.pressKey(UIKey::Escape);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 0", "will 0", "did 0"}));

    delegate->calls.clear();
    auto choice = std::make_shared<UIAlertView>("Pick", "m", delegate, std::nullopt,
                                                std::vector<std::string>{"One", "Two"});
    choice->show();
    screen.pressKey(UIKey::Escape);
    EXPECT_TRUE(choice->isVisible());
    EXPECT_TRUE(delegate->calls.empty());
    screen.pressKey(UIKey::Return);
}

TEST_F(Alerts, ATapOnAButtonClicksItAndTheDimmedWindowTakesNoTouches) {
    auto alert = std::make_shared<UIAlertView>("Title", "", delegate, "No", std::vector<std::string>{"Yes"});
    auto under = std::make_shared<UIButton>(CGRectMake(0, 0, 320, 40));
    int underTaps = 0;
    under->addTarget([&](UIControl&) { ++underTaps; }, UIControlEventTouchUpInside);
    window->addSubview(under);
    alert->show();
    screen.render(1);  // lays the alert out
    screen.tap({10, 10});
    EXPECT_EQ(underTaps, 0);
    EXPECT_TRUE(delegate->calls.empty());
    // Two buttons side by side along the bottom of the box: "Yes" on the right.
    const CGRect box = alert->subviews().front()->frame();
    screen.tap({CGRectGetMidX(box) + 60, CGRectGetMaxY(box) - 10});
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"clicked 1", "will 1", "did 1"}));
    screen.tap({10, 10});
    EXPECT_EQ(underTaps, 1) << "gone with the alert";
}

TEST_F(Alerts, AlertsShownMeanwhileWaitTheirTurn) {
    auto first = hexAlert();
    auto second = std::make_shared<UIAlertView>("Second", "", delegate, "OK", std::vector<std::string>{});
    first->show();
    second->show();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(UIAlertView::queuedCount(), 1u);
    screen.pressKey(UIKey::Escape);
    EXPECT_TRUE(second->isVisible());
    screen.pressKey(UIKey::Return);  // only a cancel button: Return takes it
    EXPECT_EQ(delegate->calls,
              (std::vector<std::string>{"clicked 0", "will 0", "did 0", "clicked 0", "will 0", "did 0"}));
    EXPECT_EQ(UIAlertView::visibleAlert(), nullptr);
}

TEST_F(Alerts, ADelegateThatIsGoneIsNotCalled) {
    auto alert = hexAlert();
    alert->show();
    delegate.reset();
    screen.pressKey(UIKey::Return);
    EXPECT_FALSE(alert->isVisible());
}

TEST_F(Alerts, AnAlertDrawsOverTheWindowContent) {
    auto alert = std::make_shared<UIAlertView>("Title", "Message", delegate, "OK", std::vector<std::string>{});
    const auto before = pixelAt(*screen.render(1), 5, 5);
    alert->show();
    const auto dimmed = pixelAt(*screen.render(1), 5, 5);
    EXPECT_LT(dimmed[0], before[0]);
    EXPECT_RGBA_NEAR(pixelAt(*screen.render(1), 160, 240), 247, 247, 247, 255, 1);
}

TEST(Pasteboard, KeepsTheStringAndTakesAnotherBackEnd) {
    auto& board = UIPasteboard::generalPasteboard();
    board.setString("#8f00ff");
    EXPECT_EQ(board.string(), "#8f00ff");
    struct Fake : UIPasteboardBackend {
        std::optional<std::string> held = "from desktop";
        std::optional<std::string> string() override { return held; }
        void setString(const std::optional<std::string>& t) override { held = t; }
    };
    auto fake = std::make_shared<Fake>();
    board.setBackend(fake);
    EXPECT_EQ(board.string(), "from desktop");
    board.setString(std::nullopt);
    EXPECT_EQ(fake->held, std::nullopt);
    board.setBackend(nullptr);
    EXPECT_EQ(board.string(), std::nullopt);
}
