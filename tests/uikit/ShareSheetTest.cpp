// The share sheet: what Post opens, Cancel and Escape, an unavailable
// service, and that the page under the sheet is left alone.
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/services/SLComposeViewController.h"
#include "tests/uikit/ComposeSheetSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class ShareSheet : public SheetTest {
protected:
    std::vector<SLComposeViewControllerResult> results;

    SLComposeViewControllerPtr composer(const std::string& text) {
        auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
        sheet->setInitialText(text);
        sheet->setCompletionHandler([this](SLComposeViewControllerResult r) { results.push_back(r); });
        return sheet;
    }
};

const std::string kIntent = "https://twitter.com/intent/tweet?text=";

}  // namespace

TEST_F(ShareSheet, PostOpensTheIntentWithTheEditedTextEncoded) {
    auto sheet = composer("Ampora & you? 100% #battery");
    page->presentViewController(sheet, true);
    ASSERT_TRUE(sheet->isPresented());
    EXPECT_EQ(ComposeSheet::topSheet(), sheet);
    EXPECT_EQ(sheet->sheetTitle(), "Twitter");
    screen.pressKey(UIKey::Return);
    screen.typeText("caf\xC3\xA9");
    tap(sheet->actionButton());
    ASSERT_EQ(opener->opened().size(), 1u);
    EXPECT_EQ(opener->opened()[0], kIntent + "Ampora%20%26%20you%3F%20100%25%20%23battery%0Acaf%C3%A9");
    EXPECT_EQ(percentDecode(opener->opened()[0].substr(kIntent.size())), "Ampora & you? 100% #battery\ncaf\xC3\xA9");
    EXPECT_EQ(results, std::vector{SLComposeViewControllerResult::Done});
    EXPECT_FALSE(sheet->isPresented());
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_EQ(overlayCount(), 0u);
    EXPECT_EQ(ComposeSheet::topSheet(), nullptr);
}

TEST_F(ShareSheet, CancelAndEscapeOpenNothing) {
    for (bool escape : {false, true}) {
        auto sheet = composer("Share me");
        page->presentViewController(sheet, true);
        if (escape) screen.pressKey(UIKey::Escape);
        else tap(sheet->cancelButton());
        EXPECT_FALSE(sheet->isPresented()) << escape;
        EXPECT_EQ(overlayCount(), 0u);
    }
    EXPECT_TRUE(opener->opened().empty());
    EXPECT_EQ(results, std::vector(2, SLComposeViewControllerResult::Cancelled));
}

TEST_F(ShareSheet, TheSheetIsAnOverlayThePageNeverHearsOf) {
    const auto content = window->subviews();
    auto first = composer("x");
    page->presentViewController(first, true);
    EXPECT_EQ(window->subviews(), content);
    EXPECT_EQ(overlayCount(), 1u);
    page->presentViewController(composer("refused"), true);
    EXPECT_EQ(page->presentedViewController(), first) << "a page presents one sheet at a time";
    tap(first->cancelButton());
    auto second = composer("y");
    page->presentViewController(second, false);
    tap(second->actionButton());
    EXPECT_EQ(opener->opened().size(), 1u);
    EXPECT_TRUE(page->calls.empty()) << page->calls.front();
}

TEST_F(ShareSheet, WithNoHandlerForTheIntentNothingIsShown) {
    useOpener({"mailto"});
    EXPECT_FALSE(SLComposeViewController::isAvailableForServiceType(SLServiceTypeTwitter));
    auto sheet = composer("Share me");
    page->presentViewController(sheet, true);
    EXPECT_FALSE(sheet->isPresented());
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_EQ(overlayCount(), 0u);
    screen.pressKey(UIKey::Escape);
    EXPECT_TRUE(results.empty());
    useOpener({"https"});
    EXPECT_TRUE(SLComposeViewController::isAvailableForServiceType(SLServiceTypeTwitter));
    EXPECT_EQ(SLComposeViewController::composeViewControllerForServiceType("com.example.unknown"), nullptr);
}

TEST_F(ShareSheet, PostWaitsForTextAndAFailedHandOverIsNoSuccess) {
    auto sheet = composer(" \n");
    page->presentViewController(sheet, true);
    EXPECT_FALSE(sheet->isActionEnabled());
    sheet->performAction();
    EXPECT_TRUE(sheet->isPresented());
    EXPECT_FALSE(sheet->setInitialText("too late"));
    screen.typeText("hi");
    EXPECT_TRUE(sheet->isActionEnabled());
    setSharedURLOpener(std::make_shared<RefusingURLOpener>());
    sheet->performAction();
    EXPECT_EQ(results, std::vector{SLComposeViewControllerResult::Cancelled});
    EXPECT_FALSE(sheet->isPresented());
}

TEST_F(ShareSheet, EscapeCancelsOnlyTheTopSheetEvenAfterAnAlert) {
    auto lower = composer("lower");
    page->presentViewController(lower, true);
    auto upper = composer("upper");
    lower->presentViewController(upper, true);
    EXPECT_EQ(ComposeSheet::topSheet(), upper);
    screen.pressKey(UIKey::Escape);
    EXPECT_FALSE(upper->isPresented());
    EXPECT_TRUE(lower->isPresented());

    auto alert = std::make_shared<UIAlertView>("Note", "", std::weak_ptr<UIAlertViewDelegate>(), "OK",
                                               std::vector<std::string>{});
    alert->show();
    screen.pressKey(UIKey::Escape);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(lower->isPresented()) << "the alert took that key";
    screen.typeText("!");
    EXPECT_EQ(lower->text(), "lower!");
    screen.pressKey(UIKey::Escape);
    EXPECT_FALSE(lower->isPresented());
    EXPECT_EQ(results, std::vector(2, SLComposeViewControllerResult::Cancelled));
}

TEST_F(ShareSheet, ASheetDoesNotOutliveItsPageNorKeepsTheKeys) {
    auto offscreen = std::make_shared<RecordingPage>();
    offscreen->presentViewController(composer("x"), true);
    EXPECT_EQ(overlayCount(), 1u) << "shown on the key window";
    EXPECT_NE(window->firstResponder(), nullptr);
    offscreen.reset();
    EXPECT_EQ(overlayCount(), 0u);
    EXPECT_EQ(window->firstResponder(), nullptr);
    EXPECT_EQ(window->modalOverlay(), nullptr);
    screen.pressKey(UIKey::Escape);
    EXPECT_TRUE(results.empty());
}

TEST_F(ShareSheet, LooksLikeASheetOverTheDimmedPage) {
    page->view()->setBackgroundColor(colors::whiteColor);
    auto sheet = composer("Hello");
    page->presentViewController(sheet, true);
    auto image = screen.render(1);
    EXPECT_RGBA_NEAR(pixelAt(*image, 2, 470), 153, 153, 153, 255, 2);  // the page, dimmed
    const CGRect panel = sheet->textView()->convertRectToView(sheet->textView()->bounds(), nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*image, int(CGRectGetMaxX(panel)) - 3, int(CGRectGetMaxY(panel)) - 3), 255, 255, 255, 255, 2);
    EXPECT_GE(panel.size.height, 100);
    EXPECT_EQ(sheet->actionButton()->tintColor(), colors::systemBlueColor);
}

namespace {

// A page that colors the shared bar while on screen and clears it on leaving.
struct TintedPage : RecordingPage {
    void viewWillAppear(bool animated) override {
        RecordingPage::viewWillAppear(animated);
        navigationController()->navigationBar()->setTintColor(UIColor::rgb(143 / 255.0, 0, 1));
    }
    void viewWillDisappear(bool animated) override {
        RecordingPage::viewWillDisappear(animated);
        navigationController()->navigationBar()->setTintColor(std::nullopt);
    }
};

}  // namespace

TEST_F(ShareSheet, APageInANavigationStackKeepsItsColorsThroughTheSheet) {
    auto tinted = std::make_shared<TintedPage>();
    auto nav = UINavigationController::withRootViewController(tinted);
    window->setRootViewController(nav);
    const UIColor pane = nav->navigationBar()->tintColor();
    ASSERT_NE(pane, colors::systemBlueColor);
    tinted->calls.clear();
    for (bool post : {false, true}) {
        auto sheet = composer("from the heart");
        tinted->presentViewController(sheet, true);
        if (post) tap(sheet->actionButton());
        else tap(sheet->cancelButton());
        EXPECT_FALSE(sheet->isPresented());
    }
    EXPECT_EQ(nav->navigationBar()->tintColor(), pane);
    EXPECT_TRUE(tinted->calls.empty()) << tinted->calls.front();
    EXPECT_EQ(opener->opened(), std::vector<std::string>{kIntent + "from%20the%20heart"});
    window->setRootViewController(page);
}
