// A list page as a person uses it: sections and footers from group rows,
// values through the row's getter and setter, link rows opening their detail
// and choice pages, and rows that name the wrong thing doing nothing.
#include <map>

#include "platform/preferences/PSListItemsController.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UIClock.h"
#include "tests/uikit/UIKitTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;
using namespace uikit::test;

namespace {

class StorePage : public PSListController {
public:
    static runtime::Class* staticClass() {
        static runtime::Class* cls = [] {
            auto& c = runtime::defineClass<StorePage>("TestStorePage", PSListController::staticClass());
            c.addMethod("choices:", +[](runtime::NSObject*, PSSpecifierPtr) {
                return foundation::PlistArray{PlistValue("Blue"), PlistValue("Red")};
            });
            c.addMethod("tapped:", +[](runtime::NSObject* self, PSSpecifierPtr) { static_cast<StorePage*>(self)->taps++; });
            return &c;
        }();
        return cls;
    }
    runtime::Class* objcClass() const override { return staticClass(); }

    std::vector<PSSpecifierPtr>& specifiers() override {
        if (!specifiers_.empty()) return specifiers_;
        auto target = selfObject();
        auto row = [&](const std::string& name, int type, const std::string& key) {
            auto s = PSSpecifier::preferenceSpecifierNamed(name, target, "setPreferenceValue:specifier:",
                                                           "readPreferenceValue:", nullptr, type, nullptr);
            if (!key.empty()) s->setProperty(PlistValue(key), "key");
            s->setProperty(PlistValue(name), "id");
            specifiers_.push_back(s);
            return s;
        };
        auto group = PSSpecifier::groupSpecifierWithName("Look");
        group->setProperty(PlistValue("Under the switch"), "footerText");
        specifiers_.push_back(group);
        row("Enabled", PSSwitchCell, "enabled")->setProperty(PlistValue(false), "default");
        auto theme = row("Theme", PSLinkListCell, "theme");
        theme->setProperty(PlistValue("choices:"), "titlesDataSource");
        theme->setProperty(PlistValue("choices:"), "valuesDataSource");
        theme->setProperty(PlistValue("Blue"), "default");
        specifiers_.push_back(PSSpecifier::emptyGroupSpecifier());
        auto level = row("Level", PSSliderCell, "level");
        level->setProperty(PlistValue(0.0), "min");
        level->setProperty(PlistValue(100.0), "max");
        level->setProperty(PlistValue(88.0), "height");
        row("Tap me", PSButtonCell, "")->setButtonAction("tapped:");
        row("Missing action", PSButtonCell, "")->setButtonAction("notThere:");
        row("Not a page", PSLinkCell, "");
        specifiers_.back()->setProperty(PlistValue("x"), "detail");
        auto wrongCell = row("Wrong cell", PSSwitchCell, "other");
        wrongCell->setProperty(StorePage::staticClass(), "cellClass");
        return specifiers_;
    }

    PreferenceValue readPreferenceValue(const PSSpecifierPtr& s) override {
        auto it = values.find(s->stringPropertyForKey("key"));
        if (it != values.end()) return it->second;
        return PSListController::readPreferenceValue(s);
    }
    void setPreferenceValue(PreferenceValue v, const PSSpecifierPtr& s) override {
        writes.emplace_back(s->stringPropertyForKey("key"), v);
        if (v) values[s->stringPropertyForKey("key")] = *v;
    }

    std::map<std::string, PlistValue> values;
    std::vector<std::pair<std::string, PreferenceValue>> writes;
    int taps = 0;
};

class ListPage : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({375, 667});
    OffscreenScreen screen{window};
    std::shared_ptr<StorePage> page = std::make_shared<StorePage>();
    UINavigationControllerPtr nav = UINavigationController::withRootViewController(page);

    void SetUp() override {
        UIKitTest::SetUp();
        window->setRootViewController(nav);
        settle();
    }
    void TearDown() override {
        window->setRootViewController(nullptr);
        UIKitTest::TearDown();
    }
    void settle() {
        UIClock::shared().advance(UINavigationController::kTransitionSeconds);
        OffscreenScreen::runPendingBlocks();
    }
    std::shared_ptr<PSTableCell> cellFor(const std::string& id) {
        auto path = page->indexPathForSpecifier(page->specifierForID(id));
        return path ? std::dynamic_pointer_cast<PSTableCell>(page->table()->cellForRowAtIndexPath(*path)) : nullptr;
    }
    CGPoint centreOf(const UIView& view) {
        const CGRect r = view.convertRectToView(view.bounds(), nullptr);
        return {r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
    }
    void tapRow(const std::string& id) {
        auto cell = cellFor(id);
        ASSERT_TRUE(cell) << id;
        screen.tap(centreOf(*cell->textLabel()));
        settle();
    }
};

}  // namespace

TEST_F(ListPage, GroupsBecomeSectionsWithTitlesFootersAndRowHeights) {
    UITableView& table = *page->table();
    ASSERT_EQ(table.numberOfSections(), 2);
    EXPECT_EQ(table.numberOfRowsInSection(0), 2);
    EXPECT_EQ(table.numberOfRowsInSection(1), 5);
    EXPECT_EQ(page->titleForHeaderInSection(table, 0), "Look");
    EXPECT_EQ(page->titleForFooterInSection(table, 0), "Under the switch");
    EXPECT_FALSE(page->titleForHeaderInSection(table, 1));
    EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1)).size.height, 88);
    EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1)).size.height, UITableView::kDefaultRowHeight);
}

TEST_F(ListPage, SwitchShowsTheDefaultAndStoresThroughTheSetter) {
    auto cell = std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("Enabled"));
    ASSERT_TRUE(cell);
    EXPECT_FALSE(cell->switchControl()->isOn());
    screen.tap(centreOf(*cell->switchControl()));
    EXPECT_TRUE(cell->switchControl()->isOn());
    ASSERT_EQ(page->writes.size(), 1u);
    EXPECT_EQ(page->writes[0].first, "enabled");
    EXPECT_EQ(page->writes[0].second, PreferenceValue(PlistValue(true)));
}

TEST_F(ListPage, LinkListOpensItsChoicesAndTheChoiceShowsOnReturn) {
    EXPECT_EQ(cellFor("Theme")->detailTextLabel()->text(), "Blue");
    tapRow("Theme");
    auto items = std::dynamic_pointer_cast<PSListItemsController>(nav->topViewController());
    ASSERT_TRUE(items);
    EXPECT_EQ(items->title(), "Theme");
    UITableView& list = *items->table();
    ASSERT_EQ(list.numberOfRowsInSection(0), 2);
    auto blue = std::dynamic_pointer_cast<PSTableCell>(list.cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)));
    auto red = std::dynamic_pointer_cast<PSTableCell>(list.cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0)));
    EXPECT_TRUE(blue->isChecked());
    EXPECT_FALSE(red->isChecked());

    screen.tap(centreOf(*red->textLabel()));
    EXPECT_TRUE(red->isChecked());
    EXPECT_FALSE(blue->isChecked());
    ASSERT_EQ(page->writes.size(), 1u);
    EXPECT_EQ(page->writes[0], (std::pair<std::string, PreferenceValue>("theme", PlistValue("Red"))));

    nav->popViewControllerAnimated(true);
    settle();
    EXPECT_EQ(cellFor("Theme")->detailTextLabel()->text(), "Red");
}

TEST_F(ListPage, RowsNamingTheWrongThingDoNothing) {
    tapRow("Tap me");
    EXPECT_EQ(page->taps, 1);
    tapRow("Missing action");  // not implemented: not sent, no crash
    tapRow("Not a page");      // "x" names no class
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    // A page class as cellClass: the switch row keeps its own cell.
    EXPECT_TRUE(std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("Wrong cell")));
}

TEST_F(ListPage, ADetailThatIsNoPageIsNotPushed) {
    auto row = PSSpecifier::preferenceSpecifierNamed("Cell", page->selfObject(), {}, {}, PSTableCell::staticClass(),
                                                     PSLinkCell, nullptr);
    page->specifiers().push_back(row);
    page->reload();
    settle();
    page->didSelectRowAtIndexPath(*page->table(), *page->indexPathForSpecifier(row));
    settle();
    EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(ListPage, SliderStoresAtMostTenTimesASecondAndOnRelease) {
    auto cell = std::dynamic_pointer_cast<PSSliderTableCell>(cellFor("Level"));
    ASSERT_TRUE(cell);
    UISlider& slider = *cell->slider();
    const CGRect track = slider.convertRectToView(slider.bounds(), nullptr);
    const double y = track.origin.y + track.size.height / 2;
    // One second of dragging, 60 moves.
    screen.drag({track.origin.x + 14, y}, {track.origin.x + track.size.width - 14, y}, 60, 1.0);
    const size_t stored = page->writes.size();
    EXPECT_GE(stored, 5u);
    EXPECT_LE(stored, 12u);
    ASSERT_TRUE(page->values.count("level"));
    EXPECT_DOUBLE_EQ(*page->values["level"].asReal(), slider.value());
    EXPECT_NEAR(slider.value(), 100, 0.5);
    UIClock::shared().advance(1);
    EXPECT_EQ(page->writes.size(), stored);  // nothing left pending after release
}

TEST_F(ListPage, RowsHoldTheirTargetWeakly) {
    auto row = page->specifierForID("Enabled");
    window->setRootViewController(nullptr);
    nav.reset();
    page.reset();
    EXPECT_FALSE(row->target());
    EXPECT_FALSE(storeValue(row, PlistValue(true)));
    EXPECT_FALSE(readValue(row));
}
