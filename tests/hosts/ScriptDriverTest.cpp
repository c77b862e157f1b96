#include <gtest/gtest.h>

#include "hosts/settings/BundleLoading.h"
#include "hosts/settings/OffscreenScriptDriver.h"
#include "hosts/settings/ViewTreeDump.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "tests/hosts/SettingsHostTestPane.h"
#include "tests/hosts/TestBundle.h"
#include "tests/support/TempPreferences.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using hosttest::HostTestPage;
using settingshost::OffscreenScriptDriver;
using settingshost::parseScript;
using settingshost::ScriptError;

namespace {

class ScriptDriver : public uikit::test::UIKitTest {
protected:
    TempPreferences prefs;
    std::shared_ptr<preferences::NSBundle> bundle =
        preferences::NSBundle::bundleWithPath(writeTestBundle(prefs.root() + "/Test.bundle"));
    UIWindowPtr window = uikit::test::makeWindow({375, 667});
    std::shared_ptr<HostTestPage> page = std::make_shared<HostTestPage>();
    UINavigationControllerPtr nav = UINavigationController::withRootViewController(page);
    OffscreenScreen screen{window};
    OffscreenScriptDriver driver{screen, bundle, 1};

    void SetUp() override {
        UIKitTest::SetUp();
        window->setRootViewController(nav);
        OffscreenScreen::runPendingBlocks();
    }
    // The message of the step that failed, or "" when all ran.
    std::string run(const std::string& script) {
        try {
            settingshost::runScript(parseScript(script), driver);
        } catch (const ScriptError& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(ScriptDriver, TapTextFindsRowsByTheirTextOrByTheKeyTheBundleLocalizes) {
    EXPECT_EQ(run("tap-text Hello there\ntap-text HELLO\n"), "");
    EXPECT_EQ(page->selected, (std::vector<std::string>{"Hello there", "Hello there"}));
    EXPECT_EQ(run("expect-text HELLO\nexpect-text Removable\n"), "");

    EXPECT_EQ(run("expect-text Switch\ntap-text Nowhere\n"), "line 2: no visible view that a tap reaches shows \"Nowhere\"");
    EXPECT_EQ(run("expect-text DETAIL\n"), "line 1: no visible view shows \"DETAIL\" (nor \"Detail page\")");
}

TEST_F(ScriptDriver, APushedPageHasFinishedSlidingBeforeTheNextStepAndBackStopsAtTheRoot) {
    EXPECT_EQ(run("tap-text Next\nexpect-text DETAIL\n"), "");
    EXPECT_EQ(nav->viewControllers().size(), 2u);
    EXPECT_FALSE(nav->isTransitioning());
    // Covered by the detail page, the root's rows cannot be tapped.
    EXPECT_NE(run("tap-text Removable\n"), "");

    EXPECT_EQ(run("back\nexpect-text Next\nback\n"), "line 3: there is no page to go back to");
    EXPECT_EQ(nav->viewControllers().size(), 1u);

    EXPECT_EQ(run("tap-text Next\nkey Escape\n"), "");
    EXPECT_EQ(nav->topViewController(), page);
}

TEST_F(ScriptDriver, EscapeCancelsTheAlertOnTopBeforeItGoesBackAndAlertButtonsTakeTaps) {
    struct Delegate : UIAlertViewDelegate {
        std::vector<long> clicked;
        void alertViewClickedButtonAtIndex(UIAlertView&, long index) override { clicked.push_back(index); }
    };
    auto delegate = std::make_shared<Delegate>();
    auto alert = [&] {
        auto a = std::make_shared<UIAlertView>("Old Settings", "Found", delegate, "Cancel", std::vector<std::string>{"Ok Sweet!"});
        a->show();
        return a;
    };
    ASSERT_EQ(run("tap-text Next\n"), "");
    auto first = alert();
    EXPECT_EQ(run("expect-text Old Settings\nkey Escape\n"), "");
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(nav->viewControllers().size(), 2u) << "the page under the alert stays";
    auto second = alert();
    EXPECT_EQ(run("tap-text Ok Sweet!\n"), "");
    EXPECT_EQ(delegate->clicked, (std::vector<long>{first->cancelButtonIndex(), second->firstOtherButtonIndex()}));
    EXPECT_EQ(run("key Escape\n"), "");
    EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(ScriptDriver, TapsAndDragsGoThroughTheWindowLikeTouches) {
    const CGRect toggle = page->toggle->convertRectToView(page->toggle->bounds(), nullptr);
    const std::string tap = "tap " + std::to_string(CGRectGetMidX(toggle)) + " " + std::to_string(CGRectGetMidY(toggle));
    EXPECT_EQ(run(tap + "\n"), "");
    EXPECT_TRUE(page->toggle->isOn());
    EXPECT_TRUE(page->selected.empty()) << "the switch takes the tap, not the row";
    EXPECT_EQ(run("tap 400 10\n"), "line 1: the point is outside the window of 375x667 points");

    EXPECT_EQ(run("swipe-delete Removable\n"), "");
    EXPECT_EQ(page->rows, (std::vector<std::string>{"Switch", "Hello there", "Next"}));
    EXPECT_EQ(run("swipe-delete Nothing\n"), "line 1: no visible table row shows \"Nothing\"");
    EXPECT_EQ(run("type abc\n"), "line 1: nothing takes typed text: no text field is being edited");
}

TEST_F(ScriptDriver, RotateTurnsTheWindowAndTellsThePageWhereItTurnedFrom) {
    EXPECT_EQ(run("rotate\n"), "");
    EXPECT_EQ(window->bounds().size, (CGSize{667, 375}));
    EXPECT_TRUE(UIScreen::mainScreen().isLandscape());
    EXPECT_DOUBLE_EQ(page->view()->bounds().size.width, 667);
    EXPECT_EQ(run("rotate\n"), "");
    EXPECT_EQ(window->bounds().size, (CGSize{375, 667}));
    EXPECT_EQ(page->rotatedFrom,
              (std::vector<UIInterfaceOrientation>{UIInterfaceOrientation::Portrait, UIInterfaceOrientation::LandscapeLeft}));
}

TEST_F(ScriptDriver, ShotAndDumpWriteFilesAndSayWhenTheyCannot) {
    EXPECT_EQ(run("shot " + prefs.root() + "/a.png\ndump " + prefs.root() + "/a.txt\n"), "");
    EXPECT_EQ(prefs.readFile(prefs.root() + "/a.png").substr(1, 3), "PNG");
    EXPECT_NE(prefs.readFile(prefs.root() + "/a.txt").find("\"Removable\""), std::string::npos);
    const std::string missing = run("shot " + prefs.root() + "/missing/a.png\n");
    EXPECT_EQ(missing.rfind("line 1: cannot write the picture: ", 0), 0u) << missing;
    EXPECT_NE(missing.find(prefs.root() + "/missing"), std::string::npos) << missing;
}

TEST_F(ScriptDriver, TheDumpListsVisibleViewsOnlyWithFramesTextsAndAlpha) {
    auto plain = std::make_shared<UIWindow>(CGRectMake(0, 0, 200, 100));
    auto label = std::make_shared<UILabel>(CGRectMake(10, 20, 80, 15.5));
    label->setText("Say \"hi\"");
    auto faint = std::make_shared<UIView>(CGRectMake(0, 50, 20, 20));
    faint->setAlpha(0.25);
    auto hidden = std::make_shared<UILabel>(CGRectMake(0, 0, 10, 10));
    hidden->setHidden(true);
    auto outside = std::make_shared<UIView>(CGRectMake(300, 0, 10, 10));
    auto clipper = std::make_shared<UIView>(CGRectMake(100, 0, 50, 50));
    clipper->setClipsToBounds(true);
    auto clipped = std::make_shared<UIView>(CGRectMake(60, 0, 10, 10));
    auto inner = std::make_shared<UIView>(CGRectMake(5, 5, 10, 10));
    clipper->addSubview(clipped);
    clipper->addSubview(inner);
    for (const auto& v : std::vector<UIViewPtr>{label, faint, hidden, outside, clipper}) plain->addSubview(v);

    const std::string dump = settingshost::dumpViewTree(*plain);
    const std::string body = dump.substr(dump.find('\n') + 1);
    EXPECT_EQ(body,
              "UIWindow {0, 0, 200, 100}\n"
              "  UILabel {10, 20, 80, 15.5} \"Say \\\"hi\\\"\"\n"
              "  UIView {0, 50, 20, 20} alpha 0.25\n"
              "  UIView {100, 0, 50, 50}\n"
              "    UIView {105, 5, 10, 10}\n");
    EXPECT_NE(dump.find("visible views only"), std::string::npos) << dump;
}

TEST_F(ScriptDriver, PagesAreMadeByClassNameOnlyWhenTheyArePages) {
    std::string error;
    EXPECT_TRUE(std::dynamic_pointer_cast<HostTestPage>(settingshost::makePage("HostTestPage", error)));
    EXPECT_FALSE(settingshost::makePage("HostTestNotAPage", error));
    EXPECT_EQ(error, "the class \"HostTestNotAPage\" is not a page (no view controller)");
    EXPECT_FALSE(settingshost::makePage("NoSuchPage", error));
    EXPECT_EQ(error, "no page class named \"NoSuchPage\"");
}

}  // namespace
