// Pages and the navigation stack: appearance order, the bar's contents and
// colors, transitions on the clock; and the application's URL handling.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/navigation/UIApplication.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/services/URLOpener.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;
using namespace uikit::test;

namespace {

using Log = std::vector<std::string>;

class Page : public UIViewController {
public:
    Page(std::string name, std::shared_ptr<Log> log) : name_(std::move(name)), log_(std::move(log)) {
        setTitle(name_);
    }
    void viewDidLoad() override { note("load"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

private:
    void note(const std::string& what) { log_->push_back(name_ + " " + what); }
    std::string name_;
    std::shared_ptr<Log> log_;
};

class Navigation : public UIKitTest {
protected:
    std::shared_ptr<Log> log = std::make_shared<Log>();
    UIWindowPtr window = makeWindow({375, 667});
    OffscreenScreen screen{window};
    std::shared_ptr<Page> root = std::make_shared<Page>("Settings", log);
    UINavigationControllerPtr nav = UINavigationController::withRootViewController(root);

    void SetUp() override {
        UIKitTest::SetUp();
        window->setRootViewController(nav);
        OffscreenScreen::runPendingBlocks();
        log->clear();
    }
    void TearDown() override {
        while (auto alert = UIAlertView::visibleAlert()) alert->dismissWithClickedButtonIndex(0, false);
        window->setRootViewController(nullptr);
        UIKitTest::TearDown();
    }
    std::shared_ptr<Page> page(const std::string& name) { return std::make_shared<Page>(name, log); }
    void settle() {
        UIClock::shared().advance(UINavigationController::kTransitionSeconds);
        OffscreenScreen::runPendingBlocks();
    }
    CGRect frameInWindow(const UIView& view) { return view.convertRectToView(view.bounds(), nullptr); }
    // Pixels of `image` inside `rect` (window points at scale 1) within 40 of `color` per channel.
    static int countNear(const UIImage& image, const CGRect& rect, RGBA color) {
        int n = 0;
        for (int y = int(rect.origin.y); y < int(rect.origin.y + rect.size.height); ++y)
            for (int x = int(rect.origin.x); x < int(rect.origin.x + rect.size.width); ++x) {
                const RGBA p = pixelAt(image, x, y);
                if (std::abs(p[0] - color[0]) < 40 && std::abs(p[1] - color[1]) < 40 && std::abs(p[2] - color[2]) < 40)
                    ++n;
            }
        return n;
    }
};

}  // namespace

TEST_F(Navigation, PushAndPopTellTheLeavingPageFirstAndTheDidsAfterTheSlide) {
    auto detail = page("Ampora");
    nav->pushViewController(detail, true);
    EXPECT_EQ(*log, (Log{"Settings willDisappear", "Ampora load", "Ampora willAppear"}));
    EXPECT_EQ(nav->topViewController(), detail);
    EXPECT_EQ(detail->navigationController(), nav);

    log->clear();
    UIClock::shared().advance(UINavigationController::kTransitionSeconds - 0.01);
    EXPECT_TRUE(log->empty()) << "the slide has not finished";
    EXPECT_TRUE(nav->isTransitioning());
    UIClock::shared().advance(0.01);
    EXPECT_EQ(*log, (Log{"Settings didDisappear", "Ampora didAppear"}));
    EXPECT_FALSE(nav->isTransitioning());
    EXPECT_EQ(root->view()->superview(), nullptr) << "the covered page leaves the tree";

    log->clear();
    EXPECT_EQ(nav->popViewControllerAnimated(true), detail);
    EXPECT_EQ(*log, (Log{"Ampora willDisappear", "Settings willAppear"}));
    EXPECT_EQ(detail->navigationController(), nav) << "still reachable while it leaves";
    settle();
    EXPECT_EQ(*log, (Log{"Ampora willDisappear", "Settings willAppear", "Ampora didDisappear", "Settings didAppear"}));
    EXPECT_EQ(detail->navigationController(), nullptr);
    EXPECT_EQ(detail->view()->superview(), nullptr);
    EXPECT_EQ(nav->viewControllers(), (std::vector<UIViewControllerPtr>{root}));
}

TEST_F(Navigation, TheRootIsNeverPoppedAndAPageInTheStackIsNotPushedAgain) {
    EXPECT_EQ(nav->popViewControllerAnimated(true), nullptr);
    EXPECT_TRUE(log->empty());
    nav->pushViewController(root, true);
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    EXPECT_TRUE(log->empty());
}

TEST_F(Navigation, AnAlertOverAPageIsNoAppearanceChange) {
    nav->pushViewController(page("Picker"), false);
    log->clear();
    auto alert = std::make_shared<UIAlertView>("Hex", "Enter a color", std::weak_ptr<UIAlertViewDelegate>{}, "Cancel",
                                               std::vector<std::string>{"Set"});
    alert->show();
    screen.pressKey(UIKey::Escape);
    settle();
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(log->empty());
}

TEST_F(Navigation, TheBackButtonShowsThePreviousTitleAndPops) {
    nav->pushViewController(page("Ampora"), false);
    ASSERT_NE(nav->navigationBar()->backButton(), nullptr);
    EXPECT_EQ(nav->navigationBar()->backButton()->currentTitle(), "\u2039 Settings");
    root->navigationItem()->setBackBarButtonTitle("Back");
    EXPECT_EQ(nav->navigationBar()->backButton()->currentTitle(), "\u2039 Back");
    root->navigationItem()->setBackBarButtonTitle(std::nullopt);
    root->setTitle("");
    EXPECT_EQ(nav->navigationBar()->backButton()->currentTitle(), "\u2039 Back") << "never a bare arrow";
    root->setTitle("Settings");

    OffscreenScreen::runPendingBlocks();
    const CGRect back = frameInWindow(*nav->navigationBar()->backButton());
    screen.tap({CGRectGetMidX(back), CGRectGetMidY(back)});
    settle();
    EXPECT_EQ(nav->topViewController(), root);
    EXPECT_EQ(nav->navigationBar()->backButton(), nullptr);
    EXPECT_EQ(nav->navigationBar()->titleLabel()->text(), "Settings");
}

TEST_F(Navigation, ANegativeFixedSpaceMovesTheRightItemsTowardTheEdge) {
    auto heartView = std::make_shared<UIView>(CGRectMake(0, 0, 22, 20));
    auto heart = std::make_shared<UIBarButtonItem>(heartView);
    auto space = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItem::FixedSpace);
    space->setWidth(-16);

    root->navigationItem()->setRightBarButtonItem(heart);
    OffscreenScreen::runPendingBlocks();
    const double plain = CGRectGetMaxX(frameInWindow(*heartView));
    root->navigationItem()->setRightBarButtonItems({space, heart});
    OffscreenScreen::runPendingBlocks();
    const CGRect shifted = frameInWindow(*heartView);
    EXPECT_DOUBLE_EQ(plain, 375 - UINavigationBar::kMargin);
    EXPECT_DOUBLE_EQ(CGRectGetMaxX(shifted), plain + 16);
    EXPECT_DOUBLE_EQ(CGRectGetMidY(shifted), UINavigationBar::kStatusHeight + UINavigationBar::kHeight / 2);
    EXPECT_EQ(nav->navigationBar()->viewForItem(heart.get()), heartView);
}

TEST_F(Navigation, TheBarsTintReachesItsButtonsAndTheTitleTakesItsColor) {
    const UIColor pane = UIColor::rgb(0x8f / 255.0, 0, 1);
    const RGBA paneRGBA{0x8f, 0, 255, 255};
    auto edit = std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyle::Plain);
    root->navigationItem()->setRightBarButtonItem(edit);
    nav->pushViewController(page("Ampora"), false);
    nav->topViewController()->navigationItem()->setRightBarButtonItem(edit);
    OffscreenScreen::runPendingBlocks();
    const CGRect editFrame = frameInWindow(*nav->navigationBar()->viewForItem(edit.get()));
    const CGRect backFrame = frameInWindow(*nav->navigationBar()->backButton());
    const CGRect titleFrame = frameInWindow(*nav->navigationBar()->titleLabel());

    auto before = renderWindow(window);
    EXPECT_GT(countNear(*before, editFrame, {0, 122, 255, 255}), 10) << "system blue without a tint";
    EXPECT_EQ(countNear(*before, titleFrame, paneRGBA), 0);

    nav->navigationBar()->setTintColor(pane);
    nav->navigationBar()->setTitleTextAttributes({.foregroundColor = pane, .font = nullptr});
    auto tinted = renderWindow(window);
    EXPECT_GT(countNear(*tinted, editFrame, paneRGBA), 10);
    EXPECT_GT(countNear(*tinted, backFrame, paneRGBA), 10);
    EXPECT_EQ(countNear(*tinted, editFrame, {0, 122, 255, 255}), 0);
    EXPECT_GT(countNear(*tinted, titleFrame, paneRGBA), 10);

    // Leaving pages clear both, back to the system look.
    nav->navigationBar()->setTintColor(std::nullopt);
    nav->navigationBar()->setTitleTextAttributes({});
    auto cleared = renderWindow(window);
    EXPECT_EQ(countNear(*cleared, editFrame, paneRGBA), 0);
    EXPECT_EQ(countNear(*cleared, titleFrame, paneRGBA), 0);
    EXPECT_GT(countNear(*cleared, titleFrame, {0, 0, 0, 255}), 10);
}

TEST_F(Navigation, TheArrivingPageSlidesInOverTheTransition) {
    auto detail = page("Ampora");
    detail->view()->setBackgroundColor(colors::redColor);
    nav->pushViewController(detail, true);
    UIClock::shared().advance(UINavigationController::kTransitionSeconds / 2);
    auto midway = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*midway, 370, 300), 255, 0, 0, 255, 2);
    EXPECT_RGBA_NEAR(pixelAt(*midway, 5, 300), 255, 255, 255, 255, 2);  // not yet over the left edge
    settle();
    auto done = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*done, 5, 300), 255, 0, 0, 255, 2);
    EXPECT_EQ(frameInWindow(*detail->view()).origin.y, UINavigationBar::kStatusHeight + UINavigationBar::kHeight);
}

TEST_F(Navigation, ATitleViewIsCentredInsteadOfTheTitle) {
    auto logo = std::make_shared<UIView>(CGRectMake(0, 0, 100, 30));
    root->navigationItem()->setTitleView(logo);
    OffscreenScreen::runPendingBlocks();
    const CGRect frame = frameInWindow(*logo);
    EXPECT_DOUBLE_EQ(CGRectGetMidX(frame), 375 / 2.0);
    EXPECT_DOUBLE_EQ(CGRectGetMidY(frame), UINavigationBar::kStatusHeight + UINavigationBar::kHeight / 2);
    EXPECT_TRUE(nav->navigationBar()->titleLabel()->isHidden());
}

TEST_F(Navigation, TheApplicationOpensURLsThroughTheSharedOpener) {
    auto opener = std::make_shared<RecordingURLOpener>(std::set<std::string>{"twitter"});
    setSharedURLOpener(opener);
    auto& app = UIApplication::sharedApplication();
    EXPECT_EQ(app.keyWindow(), window);
    EXPECT_TRUE(app.canOpenURL(*NSURL::URLWithString("twitter://user?screen_name=someone")));
    EXPECT_FALSE(app.canOpenURL(*NSURL::URLWithString("tweetbot:///user_profile/someone")));
    EXPECT_FALSE(app.canOpenURL(*NSURL::URLWithString("relative/path")));
    EXPECT_TRUE(app.openURL(*NSURL::URLWithString("https://example.org/a")));
    EXPECT_EQ(opener->opened(), (std::vector<std::string>{"https://example.org/a"}));
    setSharedURLOpener(nullptr);
}

TEST_F(Navigation, TheBarAndPagesFollowTheWindowWhenItTurns) {
    auto edit = std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyle::Plain);
    auto detail = page("Ampora");
    detail->navigationItem()->setRightBarButtonItem(edit);
    nav->pushViewController(detail, false);
    window->setFrame(CGRectMake(0, 0, 667, 375));
    OffscreenScreen::runPendingBlocks();
    EXPECT_DOUBLE_EQ(nav->navigationBar()->frame().size.width, 667);
    EXPECT_DOUBLE_EQ(CGRectGetMaxX(frameInWindow(*nav->navigationBar()->viewForItem(edit.get()))),
                     667 - UINavigationBar::kMargin);
    EXPECT_EQ(frameInWindow(*detail->view()), CGRectMake(0, 64, 667, 375 - 64));
}
