// Grouped tables on the off-screen screen: where sections, titles and rows
// land, selection and its fading, scrolling, reloads and swipe-to-delete.
#include "tests/uikit/UIKitTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "platform/uikit/tables/UITableView.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class TableView : public UIKitTest {};

NSIndexPath at(long section, long row) { return NSIndexPath::indexPathForRow(row, section); }

struct SettingsList : UITableViewDataSource, UITableViewDelegate {
    std::vector<std::vector<std::string>> rows{{"Wi-Fi", "Bluetooth"}, {"General", "Display", "Sounds"}};
    std::vector<std::optional<std::string>> headers{"Network", std::nullopt};
    std::vector<std::optional<std::string>> footers{std::nullopt, "Changes apply at once."};
    std::map<NSIndexPath, double> heights;
    std::vector<NSIndexPath> selected, deleted;
    bool deletable = false;
    int cellsMade = 0;

    long numberOfSectionsInTableView(UITableView&) override { return long(rows.size()); }
    long numberOfRowsInSection(UITableView&, long s) override { return long(rows[size_t(s)].size()); }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView&, const NSIndexPath& p) override {
        ++cellsMade;
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::Value1);
        cell->textLabel()->setText(rows[size_t(p.section())][size_t(p.row())]);
        cell->detailTextLabel()->setText("On");
        cell->setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
        return cell;
    }
    std::optional<std::string> titleForHeaderInSection(UITableView&, long s) override { return headers[size_t(s)]; }
    std::optional<std::string> titleForFooterInSection(UITableView&, long s) override { return footers[size_t(s)]; }
    std::optional<double> heightForRowAtIndexPath(UITableView&, const NSIndexPath& p) override {
        auto it = heights.find(p);
        return it == heights.end() ? std::nullopt : std::optional(it->second);
    }
    void didSelectRowAtIndexPath(UITableView&, const NSIndexPath& p) override { selected.push_back(p); }
    std::set<NSIndexPath> displayed;
    int displayCalls = 0, endCalls = 0;
    void willDisplayCell(UITableView&, UITableViewCell&, const NSIndexPath& p) override {
        ++displayCalls;
        EXPECT_TRUE(displayed.insert(p).second) << "told twice: " << p.description();
    }
    void didEndDisplayingCell(UITableView&, UITableViewCell&, const NSIndexPath& p) override {
        ++endCalls;
        displayed.erase(p);  // a delegate set later hears of rows shown before it
    }
    std::optional<UITableViewCellEditingStyle> editingStyleForRowAtIndexPath(UITableView&, const NSIndexPath& p) override {
        if (deletable && p.section() == 1) return UITableViewCellEditingStyle::Delete;
        return std::nullopt;
    }
    void commitEditingStyle(UITableView& table, UITableViewCellEditingStyle, const NSIndexPath& p) override {
        deleted.push_back(p);
        rows[size_t(p.section())].erase(rows[size_t(p.section())].begin() + p.row());
        table.reloadData();
    }
};

struct Fixture {
    std::shared_ptr<SettingsList> list = std::make_shared<SettingsList>();
    UIWindowPtr window;
    UITableViewPtr table;
    explicit Fixture(CGSize size = {320, 480}) : window(makeWindow(size)) {
        table = std::make_shared<UITableView>(CGRectMake(0, 0, size.width, size.height));
        table->setDataSource(list);
        table->setDelegate(list);
        window->addSubview(table);
        table->layoutIfNeeded();
    }
    CGPoint middleOf(const NSIndexPath& p) const {
        const CGRect r = table->convertRectToView(table->rectForRowAtIndexPath(p), nullptr);
        return {r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
    }
};

double maxY(const CGRect& r) { return r.origin.y + r.size.height; }

}  // namespace

TEST(IndexPath, OrdersBySectionThenRow) {
    EXPECT_LT(at(0, 5), at(1, 0));
    EXPECT_LT(at(1, 0), at(1, 1));
    EXPECT_EQ(at(2, 3), NSIndexPath::indexPathForRow(3, 2));
    EXPECT_EQ(at(2, 3).description(), "{2, 3}");
}

TEST_F(TableView, GroupedSectionsStackTitlesRowsAndGaps) {
    Fixture f;
    auto& t = *f.table;
    ASSERT_EQ(t.numberOfSections(), 2);
    ASSERT_EQ(t.numberOfRowsInSection(1), 3);

    auto* header = dynamic_cast<UILabel*>(t.headerViewForSection(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(), "NETWORK") << "section titles show in capitals";
    EXPECT_EQ(header->frame().origin.x, 15);
    EXPECT_DOUBLE_EQ(header->frame().origin.y, 35);
    EXPECT_DOUBLE_EQ(maxY(header->frame()) + 7, t.rectForRowAtIndexPath(at(0, 0)).origin.y) << "title sits just above the rows";
    EXPECT_EQ(t.headerViewForSection(1), nullptr);

    EXPECT_EQ(t.rectForRowAtIndexPath(at(0, 0)).size, CGSizeMake(320, 44));
    EXPECT_DOUBLE_EQ(t.rectForRowAtIndexPath(at(0, 1)).origin.y, maxY(t.rectForRowAtIndexPath(at(0, 0))));
    EXPECT_DOUBLE_EQ(t.rectForRowAtIndexPath(at(1, 0)).origin.y, maxY(t.rectForRowAtIndexPath(at(0, 1))) + 35)
        << "sections without titles are a fixed gap apart";
    EXPECT_EQ(t.cellForRowAtIndexPath(at(1, 2))->frame(), t.rectForRowAtIndexPath(at(1, 2)));

    auto* footer = dynamic_cast<UILabel*>(t.footerViewForSection(1));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), "Changes apply at once.") << "footers keep their case";
    EXPECT_DOUBLE_EQ(footer->frame().origin.y, maxY(t.rectForRowAtIndexPath(at(1, 2))) + 7);
    EXPECT_DOUBLE_EQ(t.contentSize().height, maxY(footer->frame()) + 17.5);
    EXPECT_EQ(t.cellForRowAtIndexPath(at(2, 0)), nullptr);
    EXPECT_EQ(t.cellForRowAtIndexPath(at(0, -1)), nullptr);
}

TEST_F(TableView, RowHeightsComeFromTheDelegateAndBadOnesFallBack) {
    Fixture f;
    f.list->heights[at(1, 1)] = 80;
    f.list->heights[at(1, 2)] = -5;
    f.list->heights[at(0, 0)] = std::nan("");
    f.table->reloadData();
    auto& t = *f.table;
    EXPECT_EQ(t.rectForRowAtIndexPath(at(1, 1)).size.height, 80);
    EXPECT_EQ(t.rectForRowAtIndexPath(at(1, 2)).origin.y, maxY(t.rectForRowAtIndexPath(at(1, 1))));
    EXPECT_EQ(t.rectForRowAtIndexPath(at(1, 2)).size.height, 0) << "a negative height is none";
    EXPECT_EQ(t.rectForRowAtIndexPath(at(0, 0)).size.height, UITableView::kDefaultRowHeight);
}

TEST_F(TableView, ValueCellsPutTheDetailRightBeforeTheChevronAndTheImageLeft) {
    Fixture f;
    auto cell = f.table->cellForRowAtIndexPath(at(0, 0));
    cell->layoutIfNeeded();
    const CGRect detail = cell->detailTextLabel()->convertRectToView(cell->detailTextLabel()->bounds(), cell.get());
    const CGRect text = cell->textLabel()->convertRectToView(cell->textLabel()->bounds(), cell.get());
    EXPECT_EQ(cell->detailTextLabel()->textAlignment(), NSTextAlignment::Right);
    EXPECT_EQ(text.origin.x, 15);
    EXPECT_GT(detail.origin.x, text.origin.x + text.size.width);
    EXPECT_LT(detail.origin.x + detail.size.width, 320 - 15 - 8) << "clear of the chevron";
    EXPECT_GT(detail.origin.x + detail.size.width, 320 - 40);

    UIGraphicsBeginImageContextWithOptions({29, 29}, false, 1);
    auto icon = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    cell->imageView()->setImage(icon);
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->imageView()->frame(), CGRectMake(15, 7.5, 29, 29));
    EXPECT_EQ(cell->textLabel()->frame().origin.x, 15 + 29 + 15);
}

TEST_F(TableView, SubtitleAndDefaultCellsStackOrOmitTheDetail) {
    UITableViewCell plain;
    EXPECT_EQ(plain.detailTextLabel(), nullptr);
    UITableViewCell cell(UITableViewCellStyle::Subtitle);
    cell.setFrame(CGRectMake(0, 0, 320, 60));
    cell.layoutIfNeeded();
    const CGRect title = cell.textLabel()->frame(), detail = cell.detailTextLabel()->frame();
    EXPECT_DOUBLE_EQ(detail.origin.y, title.origin.y + title.size.height);
    EXPECT_NEAR(title.origin.y, 60 - (detail.origin.y + detail.size.height), 1e-9) << "the pair is centred";
    EXPECT_LT(cell.detailTextLabel()->font()->pointSize(), cell.textLabel()->font()->pointSize());
}

TEST_F(TableView, DelegateHeaderViewsTakeTheirOwnOrTheOfferedHeight) {
    struct WithBanner : SettingsList {
        UIViewPtr banner = std::make_shared<UIView>(CGRectMake(0, 0, 10, 90));
        UIViewPtr viewForHeaderInSection(UITableView&, long s) override { return s == 0 ? banner : nullptr; }
        std::optional<double> heightForFooterInSection(UITableView&, long s) override {
            return s == 0 ? std::optional(4.0) : std::nullopt;
        }
    };
    Fixture f;
    auto list = std::make_shared<WithBanner>();
    f.table->setDataSource(list);
    f.table->setDelegate(list);
    f.table->reloadData();
    EXPECT_EQ(f.table->headerViewForSection(0), list->banner.get()) << "the view wins over the title";
    EXPECT_EQ(list->banner->frame(), CGRectMake(0, 0, 320, 90));
    EXPECT_EQ(f.table->rectForRowAtIndexPath(at(0, 0)).origin.y, 90);
    EXPECT_EQ(f.table->rectForFooterInSection(0).size.height, 4);
    EXPECT_EQ(f.table->rectForRowAtIndexPath(at(1, 0)).origin.y, maxY(f.table->rectForRowAtIndexPath(at(0, 1))) + 4 + 17.5);
}

TEST_F(TableView, WheelStepsAtAnEndGoOnToTheEnclosingScrollView) {
    auto window = makeWindow({320, 200});
    auto outer = std::make_shared<UIScrollView>(CGRectMake(0, 0, 320, 200));
    outer->setContentSize({320, 400});
    auto inner = std::make_shared<UIScrollView>(CGRectMake(0, 0, 320, 100));
    inner->setContentSize({320, 150});
    outer->addSubview(inner);
    window->addSubview(outer);
    OffscreenScreen screen(window);
    screen.scrollWheel({100, 50}, {0, 30});
    EXPECT_EQ(inner->contentOffset().y, 30);
    EXPECT_EQ(outer->contentOffset().y, 0);
    screen.scrollWheel({100, 50}, {0, 30});
    EXPECT_EQ(inner->contentOffset().y, 50);
    screen.scrollWheel({100, 50}, {0, 30});
    EXPECT_EQ(outer->contentOffset().y, 30) << "the inner one is at its end";
}

TEST_F(TableView, TapSelectsTheRowUnderTheFingerAndDeselectionFadesOnTheClock) {
    Fixture f;
    OffscreenScreen screen(f.window);
    screen.tap(f.middleOf(at(1, 2)));
    ASSERT_EQ(f.list->selected, std::vector<NSIndexPath>{at(1, 2)});
    EXPECT_EQ(f.table->indexPathForSelectedRow(), at(1, 2));
    auto cell = f.table->cellForRowAtIndexPath(at(1, 2));
    EXPECT_TRUE(cell->isSelected());
    EXPECT_EQ(cell->selectedBackgroundView()->alpha(), 1);

    screen.tap({160, 10});  // the gap above the first section
    EXPECT_EQ(f.list->selected.size(), 1u);

    f.table->deselectRowAtIndexPath(at(1, 2), true);
    EXPECT_FALSE(cell->isSelected());
    EXPECT_EQ(f.table->indexPathForSelectedRow(), std::nullopt);
    const auto& highlight = cell->selectedBackgroundView()->layer();
    UIClock::shared().advance(UITableViewCell::kDeselectionDuration / 2);
    EXPECT_GT(highlight->presentationOpacity(), 0.05);
    EXPECT_LT(highlight->presentationOpacity(), 0.95);
    UIClock::shared().advance(UITableViewCell::kDeselectionDuration);
    EXPECT_EQ(highlight->presentationOpacity(), 0);

    f.table->selectRowAtIndexPath(at(1, 2), false);
    f.table->deselectRowAtIndexPath(at(1, 2), true);
    UIClock::shared().advance(UITableViewCell::kDeselectionDuration / 2);
    f.table->selectRowAtIndexPath(at(1, 2), false);
    EXPECT_EQ(highlight->presentationOpacity(), 1) << "selecting again ends the fade";
    f.table->deselectRowAtIndexPath(at(1, 2), false);

    screen.tap(f.middleOf(at(0, 0)));
    screen.tap(f.middleOf(at(0, 1)));
    EXPECT_FALSE(f.table->cellForRowAtIndexPath(at(0, 0))->isSelected()) << "one row selected at a time";
    EXPECT_TRUE(f.table->cellForRowAtIndexPath(at(0, 1))->isSelected());
}

TEST_F(TableView, DraggingAndTheWheelScrollWithinTheContent) {
    Fixture f({320, 200});
    auto& t = *f.table;
    OffscreenScreen screen(f.window);
    const double rowY = f.middleOf(at(1, 0)).y;
    const double range = t.contentSize().height - 200;
    ASSERT_GT(range, 100);

    screen.drag({160, 180}, {160, 120});
    EXPECT_EQ(t.contentOffset(), CGPointMake(0, 60));
    EXPECT_DOUBLE_EQ(f.middleOf(at(1, 0)).y, rowY - 60) << "rows move with the content";
    EXPECT_TRUE(f.list->selected.empty()) << "a drag is no tap";

    screen.scrollWheel({160, 100}, {0, 1000});
    EXPECT_DOUBLE_EQ(t.contentOffset().y, range) << "held at the end of the content";
    screen.drag({160, 20}, {160, 190});
    screen.drag({160, 20}, {160, 190});
    EXPECT_EQ(t.contentOffset(), CGPointMake(0, 0)) << "held at the top";

    t.setContentInset(UIEdgeInsetsMake(20, 0, 0, 0));
    t.setContentOffset({0, -100});
    EXPECT_EQ(t.contentOffset(), CGPointMake(0, -20));

    // What lies above the offset is gone from the visible cells.
    t.setContentOffset({0, t.rectForRowAtIndexPath(at(1, 0)).origin.y});
    for (const auto& cell : t.visibleCells()) EXPECT_GE(*t.indexPathForCell(cell.get()), at(1, 0));
    EXPECT_EQ(t.visibleCells().front(), t.cellForRowAtIndexPath(at(1, 0)));
}

TEST_F(TableView, ScrolledRowsAreDrawnWhereTheyNowAre) {
    Fixture f({320, 200});
    const double y = f.middleOf(at(1, 0)).y;
    f.table->setContentOffset({0, y - 40});
    auto image = renderWindow(f.window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 300, 40), 255, 255, 255, 255, 2);  // "the row, moved up"
    EXPECT_RGBA_NEAR(pixelAt(*image, 300, 5), 239, 239, 244, 255, 2);  // the gap above its section
}

TEST_F(TableView, ReloadMakesNewCellsForTheNewRows) {
    Fixture f;
    auto old = f.table->cellForRowAtIndexPath(at(1, 0));
    f.table->selectRowAtIndexPath(at(1, 0), false);
    const int made = f.list->cellsMade;
    f.list->rows[1] = {"Privacy"};
    f.list->headers[1] = "More";
    f.table->reloadData();
    EXPECT_EQ(f.list->cellsMade, made + 3);
    EXPECT_EQ(f.table->numberOfRowsInSection(1), 1);
    auto cell = f.table->cellForRowAtIndexPath(at(1, 0));
    EXPECT_NE(cell, old);
    EXPECT_EQ(cell->textLabel()->text(), "Privacy");
    EXPECT_EQ(old->superview(), nullptr);
    EXPECT_EQ(f.table->indexPathForCell(old.get()), std::nullopt);
    EXPECT_EQ(f.table->indexPathForSelectedRow(), std::nullopt);
    ASSERT_NE(f.table->headerViewForSection(1), nullptr);

    f.list.reset();  // held weakly: gone means empty, not a crash
    f.table->reloadData();
    EXPECT_EQ(f.table->numberOfSections(), 0);
    EXPECT_TRUE(f.table->visibleCells().empty());
}

TEST_F(TableView, RowsAreToldWhenTheyComeNearViewAndWhenTheyAreFarBehind) {
    Fixture f({320, 440});
    f.list->rows = {std::vector<std::string>(100, "Row")};
    f.list->headers = {std::nullopt};
    f.list->footers = {std::nullopt};
    f.table->reloadData();
    f.table->layoutIfNeeded();
    // 44-point rows in a 440-point view: the ten in view and about ten below (none above the top).
    EXPECT_GE(f.list->displayed.size(), 19u);
    EXPECT_LE(f.list->displayed.size(), 21u);
    EXPECT_TRUE(f.list->displayed.count(at(0, 0)));
    EXPECT_FALSE(f.list->displayed.count(at(0, 30)));
    const int told = f.list->displayCalls;
    f.table->layoutIfNeeded();
    f.table->setContentOffset({0, 0});
    EXPECT_EQ(f.list->displayCalls, told) << "no row is told twice";

    f.table->setContentOffset({0, 44 * 60});
    EXPECT_TRUE(f.list->displayed.count(at(0, 60)));
    EXPECT_TRUE(f.list->displayed.count(at(0, 51))) << "a screen above is near";
    EXPECT_FALSE(f.list->displayed.count(at(0, 0))) << "far behind: ended";
    EXPECT_GT(f.list->endCalls, 0);
    f.table->reloadData();
    EXPECT_LE(f.list->displayCalls - f.list->endCalls, 100);
}

TEST_F(TableView, SwipeRevealsDeleteOnlyWhereTheDelegateOffersIt) {
    Fixture f;
    f.list->deletable = true;
    OffscreenScreen screen(f.window);
    const CGPoint fixedRow = f.middleOf(at(0, 0)), row = f.middleOf(at(1, 1));

    screen.drag({260, fixedRow.y}, {100, fixedRow.y});
    EXPECT_EQ(f.table->indexPathShowingDelete(), std::nullopt);
    EXPECT_TRUE(f.table->deleteButton()->isHidden());

    screen.drag({260, row.y}, {100, row.y});
    ASSERT_EQ(f.table->indexPathShowingDelete(), at(1, 1));
    EXPECT_FALSE(f.table->deleteButton()->isHidden());
    EXPECT_EQ(f.table->contentOffset(), CGPointMake(0, 0)) << "a sideways swipe does not scroll";
    EXPECT_EQ(f.table->cellForRowAtIndexPath(at(1, 1))->frame().origin.x, -UITableView::kDeleteButtonWidth);

    screen.tap(f.middleOf(at(0, 0)));  // elsewhere: closes, selects nothing
    EXPECT_EQ(f.table->indexPathShowingDelete(), std::nullopt);
    EXPECT_TRUE(f.list->selected.empty());
    EXPECT_EQ(f.table->cellForRowAtIndexPath(at(1, 1))->frame().origin.x, 0);

    screen.drag({260, row.y}, {100, row.y});
    const CGRect button = f.table->convertRectToView(f.table->deleteButton()->frame(), nullptr);
    screen.tap({button.origin.x + button.size.width / 2, button.origin.y + button.size.height / 2});
    EXPECT_EQ(f.list->deleted, std::vector<NSIndexPath>{at(1, 1)});
    EXPECT_EQ(f.table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(f.table->cellForRowAtIndexPath(at(1, 1))->textLabel()->text(), "Sounds");
}

TEST_F(TableView, GroupedListLooksLikeASettingsPage) {
    Fixture f({320, 400});
    auto image = renderWindow(f.window, 2);
    if (const char* path = std::getenv("AMPORA_TABLE_SCREENSHOT")) image->writePNG(path);
    const CGRect row = f.table->rectForRowAtIndexPath(at(0, 0));
    EXPECT_RGBA_NEAR(pixelAt(*image, 20, 20), 239, 239, 244, 255, 2);  // "light grey background"
    EXPECT_RGBA_NEAR(pixelAt(*image, 400, int(row.origin.y * 2 + 30)), 255, 255, 255, 255, 2);  // "white row"
    // The chevron: grey pixels just inside the right margin of the row.
    int grey = 0;
    for (int x = 2 * (320 - 15 - 8); x < 2 * (320 - 15); ++x)
        for (int y = int(row.origin.y * 2); y < int(maxY(row) * 2); ++y)
            if (pixelAt(*image, x, y)[0] < 220) ++grey;
    EXPECT_GT(grey, 10);
}
