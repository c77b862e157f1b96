// The light and dark looks: a window restyles every view that uses a platform
// color at its next frame, views joining later take the look in force, and a
// color a page set itself is left alone.
#include "tests/uikit/UIKitTestSupport.h"

#include <cmath>

#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/tables/UITableView.h"
#include "platform/uikit/views/UIScreen.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class Appearance : public UIKitTest {};

struct OneSection : UITableViewDataSource {
    long numberOfSectionsInTableView(UITableView&) override { return 1; }
    long numberOfRowsInSection(UITableView&, long) override { return 2; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView&, const NSIndexPath& p) override {
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::Value1);
        cell->textLabel()->setText(p.row() ? "Second" : "First");
        cell->detailTextLabel()->setText("On");
        return cell;
    }
    std::optional<std::string> titleForHeaderInSection(UITableView&, long) override { return "Look"; }
};

void setDark(bool dark) {
    UIScreen::mainScreen().setUserInterfaceStyle(dark ? UIUserInterfaceStyle::Dark : UIUserInterfaceStyle::Light);
}

RGBA rgba255(const UIColor& c) {
    return {int(std::lround(c.red() * 255)), int(std::lround(c.green() * 255)), int(std::lround(c.blue() * 255)),
            int(std::lround(c.alpha() * 255))};
}

struct TableWindow {
    UIWindowPtr window = makeWindow({320, 300}, std::nullopt);
    std::shared_ptr<OneSection> source = std::make_shared<OneSection>();
    std::shared_ptr<UITableView> table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 300));
    TableWindow() {
        table->setDataSource(source);
        window->addSubview(table);
        renderWindow(window);
    }
    UITableViewCell& cell(long row) { return *table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)); }
};

TEST_F(Appearance, TheDarkLookHasThePlatformsDarkTableColors) {
    setDark(true);
    EXPECT_EQ(rgba255(systemColor(UISystemColor::systemGroupedBackground)), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::secondarySystemGroupedBackground)), (RGBA{0x1c, 0x1c, 0x1e, 255}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::separator)), (RGBA{84, 84, 88, 153}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::label)), (RGBA{255, 255, 255, 255}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::secondaryLabel)), (RGBA{235, 235, 245, 153}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::barBackground)), (RGBA{0x12, 0x12, 0x12, 240}));
    // The light look is what the pages have always been drawn with.
    setDark(false);
    EXPECT_EQ(rgba255(systemColor(UISystemColor::systemGroupedBackground)), (RGBA{239, 239, 244, 255}));
    EXPECT_EQ(rgba255(systemColor(UISystemColor::label)), (RGBA{0, 0, 0, 255}));
}

TEST_F(Appearance, AnOpenTableRestylesAtItsNextFrameAndBack) {
    TableWindow shown;
    UITableViewCell& first = shown.cell(0);
    const CGRect row = shown.table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    const int rowX = int(row.origin.x + row.size.width / 2), rowY = int(row.origin.y + 4);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(shown.window), 5, 5), 239, 239, 244, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(shown.window), rowX, rowY), 255, 255, 255, 255, 1);

    setDark(true);
    const UIImagePtr dark = renderWindow(shown.window);
    EXPECT_RGBA_NEAR(pixelAt(*dark, 5, 5), 0, 0, 0, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(*dark, rowX, rowY), 0x1c, 0x1c, 0x1e, 255, 1);
    EXPECT_EQ(first.textLabel()->textColor(), colors::whiteColor);
    EXPECT_EQ(first.detailTextLabel()->textColor(), resolvedColor(UISystemColor::secondaryLabel, UIUserInterfaceStyle::Dark));

    setDark(false);
    const UIImagePtr light = renderWindow(shown.window);
    EXPECT_RGBA_NEAR(pixelAt(*light, rowX, rowY), 255, 255, 255, 255, 1);
    EXPECT_EQ(first.textLabel()->textColor(), colors::blackColor);
}

TEST_F(Appearance, ColorsAPageChoseStayWhateverTheLook) {
    TableWindow shown;
    shown.cell(0).textLabel()->setTextColor(colors::redColor);
    shown.cell(1).setBackgroundColor(colors::greenColor);
    setDark(true);
    renderWindow(shown.window);
    EXPECT_EQ(shown.cell(0).textLabel()->textColor(), colors::redColor);
    EXPECT_EQ(shown.cell(1).backgroundColor(), colors::greenColor);
    // A label given a platform color again follows the look once more.
    shown.cell(0).textLabel()->setTextColor(UISystemColor::label);
    EXPECT_EQ(shown.cell(0).textLabel()->textColor(), colors::whiteColor);
}

TEST_F(Appearance, ViewsAwayFromTheWindowTakeTheLookWhenTheyJoinIt) {
    TableWindow shown;
    // Made in the light look, kept out of the window while it turned dark.
    auto waiting = std::make_shared<UITableViewCell>();
    setDark(true);
    renderWindow(shown.window);
    EXPECT_EQ(waiting->backgroundColor(), colors::whiteColor);
    shown.window->addSubview(waiting);
    EXPECT_EQ(waiting->backgroundColor(), resolvedColor(UISystemColor::secondarySystemGroupedBackground, UIUserInterfaceStyle::Dark));
    EXPECT_EQ(waiting->textLabel()->textColor(), colors::whiteColor);
    // Made while dark: dark from the start.
    EXPECT_EQ(UILabel().textColor(), colors::whiteColor);
}

TEST_F(Appearance, TheNavigationBarFollowsUnlessThePageSetsItsColors) {
    UIWindowPtr window = makeWindow({320, 480}, std::nullopt);
    auto page = std::make_shared<UIViewController>();
    page->setTitle("Ampora");
    auto nav = UINavigationController::withRootViewController(page);
    window->setRootViewController(nav);
    renderWindow(window);
    const auto bar = nav->navigationBar();
    setDark(true);
    const UIImagePtr dark = renderWindow(window);
    // The bar is drawn at 94 % over the page's black.
    EXPECT_RGBA_NEAR(pixelAt(*dark, 5, int(bar->frame().origin.y) + 5), 17, 17, 17, 255, 1);
    bar->setBarTintColor(UIColor::rgb(0x8f / 255.0, 0, 1));
    bar->setTitleTextAttributes({.foregroundColor = colors::whiteColor, .font = nullptr});
    setDark(false);
    const UIImagePtr light = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*light, 5, int(bar->frame().origin.y) + 5), 0x8f, 0, 255, 255, 1);
    bar->setTitleTextAttributes({});
    bar->setBarTintColor(std::nullopt);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 5, int(bar->frame().origin.y) + 5), 247, 247, 247, 255, 1);
}

}  // namespace
