// The tinted page's colors as the shared bar and window see them when pages
// come and go, its rows built once with localized texts, its header and heart.
#include "platform/preferences/NSBundle.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UILabel.h"
#include "settings/toolkit/SKTintedListController.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;
using namespace uikit::test;

namespace {

constexpr UIColor kRed = UIColor::rgb(1, 0, 0), kGreen = UIColor::rgb(0, 0.5, 0);

class TintedPage : public SKTintedListController {
public:
    std::optional<std::vector<SpecifierDictionary>> customSpecifiers() override {
        ++built;
        if (noRows) return std::nullopt;
        return std::vector<SpecifierDictionary>{
            {{"cell", PlistValue("PSGroupCell")}, {"footerText", PlistValue("ENABLED_FOOT")}},
            {{"cell", PlistValue("PSSwitchCell")}, {"label", PlistValue("ENABLED")}},
        };
    }
    std::optional<graphics::Color> tintColor() const override { return tint; }
    std::optional<graphics::Color> navigationTintColor() const override { return navigationTint; }
    std::optional<bool> tintNavigationTitleText() const override { return tintTitle; }
    bool shiftHeartImage() const override { return shift; }
    std::optional<std::string> headerText() const override { return header; }
    std::optional<std::string> headerSubText() const override { return subHeader; }

    std::optional<graphics::Color> tint, navigationTint;
    std::optional<bool> tintTitle;
    std::optional<std::string> header, subHeader;
    bool shift = true, noRows = false;
    int built = 0;
};

class Plain : public UIViewController {};

class TintedList : public pagetest::PageTest {
protected:
    std::shared_ptr<Plain> root = std::make_shared<Plain>();
    std::shared_ptr<TintedPage> page = std::make_shared<TintedPage>();

    void SetUp() override {
        PageTest::SetUp();
        PageTest::show(root);
    }
    void show() {
        nav->pushViewController(page, true);
        settle();
    }
    UINavigationBar& bar() { return *nav->navigationBar(); }
};

}  // namespace

TEST_F(TintedList, ATintAloneColorsViewWindowBarTitleAndSwitches) {
    page->tint = kRed;
    show();
    EXPECT_EQ(page->view()->tintColor(), kRed);
    EXPECT_EQ(window->tintColor(), kRed);
    EXPECT_EQ(bar().tintColor(), kRed);
    EXPECT_EQ(bar().titleTextAttributes().foregroundColor, kRed);
    auto cell = std::dynamic_pointer_cast<PSSwitchTableCell>(
        page->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->switchControl()->onTintColor(), kRed);
}

TEST_F(TintedList, TheNavigationTintWinsOnBarAndWindow) {
    page->tint = kRed;
    page->navigationTint = kGreen;
    show();
    EXPECT_EQ(bar().tintColor(), kGreen);
    EXPECT_EQ(window->tintColor(), kGreen);
    EXPECT_EQ(page->view()->tintColor(), kRed);
}

TEST_F(TintedList, TitleTextCanKeepItsColorWhileTheBarIsTinted) {
    page->navigationTint = kGreen;
    page->tintTitle = false;
    show();
    EXPECT_EQ(bar().tintColor(), kGreen);
    EXPECT_EQ(bar().titleTextAttributes(), UITextAttributes{});
}

TEST_F(TintedList, LeavingRestoresTheSystemLookAndReturningTintsAgain) {
    page->navigationTint = kGreen;
    page->tint = kRed;
    show();
    nav->pushViewController(std::make_shared<Plain>(), true);
    settle();
    EXPECT_EQ(bar().tintColor(), colors::systemBlueColor);
    EXPECT_EQ(window->tintColor(), colors::systemBlueColor);
    EXPECT_EQ(bar().titleTextAttributes(), UITextAttributes{});
    nav->popViewControllerAnimated(true);
    settle();
    EXPECT_EQ(bar().tintColor(), kGreen);
    nav->popViewControllerAnimated(true);
    settle();
    EXPECT_EQ(bar().tintColor(), colors::systemBlueColor);
}

TEST_F(TintedList, RowsAreBuiltAndLocalizedOnce) {
    show();
    auto& rows = page->specifiers();
    EXPECT_EQ(&rows, &page->specifiers());
    EXPECT_EQ(page->built, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]->name(), "Enabled");
    EXPECT_EQ(rows[0]->stringPropertyForKey("footerText"),
              "Turn Ampora on to replace the battery icon with the chosen theme.");
    EXPECT_EQ(page->localizedString("NO_SUCH_KEY"), "NO_SUCH_KEY");
}

TEST_F(TintedList, APageWithoutRowsShowsNoneInsteadOfEndingTheProcess) {
    page->noRows = true;
    show();
    EXPECT_EQ(page->table()->numberOfSections(), 0);
}

TEST_F(TintedList, HeartSitsBehindANegativeSpacerUnlessNotShifted) {
    show();
    auto items = page->navigationItem()->rightBarButtonItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->width(), -16);
    ASSERT_TRUE(page->heartButton());
    EXPECT_GT(page->heartButton()->frame().size.width, 0);
    EXPECT_EQ(items[1]->tintColor(), colors::systemBlueColor);

    auto unshifted = std::make_shared<TintedPage>();
    unshifted->shift = false;
    unshifted->view();
    EXPECT_EQ(unshifted->navigationItem()->rightBarButtonItems().size(), 1u);
}

TEST_F(TintedList, TextHeaderGrowsForItsSubtitleAndNeedsATitle) {
    page->subHeader = "ENABLED";
    show();
    EXPECT_FALSE(page->table()->tableHeaderView());

    auto titled = std::make_shared<TintedPage>();
    titled->header = "ENABLED";
    titled->subHeader = "THEME";
    titled->tint = kRed;
    nav->pushViewController(titled, true);
    settle();
    auto header = titled->table()->tableHeaderView();
    ASSERT_TRUE(header);
    EXPECT_EQ(header->frame().size.height, 95);
    ASSERT_EQ(header->subviews().size(), 2u);
    auto title = std::dynamic_pointer_cast<UILabel>(header->subviews()[0]);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), "Enabled");
    EXPECT_EQ(title->frame(), CGRectMake(0, 10, 375, 45));
    EXPECT_EQ(title->textColor(), kRed);
}
