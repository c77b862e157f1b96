// The theme lists reached from the main and options pages: a preview per
// installed theme, one write then one post per choice, the secondary list's
// mirroring while it is in use, the first-visit notice, and scripts that
// cannot be read.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UILabel.h"
#include "settings/pages/PreviewRow.h"
#include "settings/pages/QVAXSettingSecondaryThemeListController.h"
#include "settings/pages/QVAXSettingThemeListController.h"
#include "settings/pages/QVAXSettingsMainController.h"
#include "settings/pages/QVAXSettingsOptionsController.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;

namespace {

class ThemeList : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingThemeListController> openFrom(const std::shared_ptr<PSListController>& root,
                                                             const std::string& rowID) {
        show(root);
        dismissNotice();
        auto path = root->indexPathForSpecifier(root->specifierForID(rowID));
        EXPECT_TRUE(path) << rowID;
        if (!path) return nullptr;
        root->didSelectRowAtIndexPath(*root->table(), *path);
        settle();
        return std::dynamic_pointer_cast<QVAXSettingThemeListController>(nav->topViewController());
    }
    void dismissNotice() {
        while (auto shown = alert()) shown->clickButtonAtIndex(0);
        settle();
    }
    std::shared_ptr<QVAXBatteryPreView> previewOf(const UITableViewCellPtr& cell) {
        return std::dynamic_pointer_cast<QVAXBatteryPreView>(
            cell->contentView()->viewWithTag(PreviewRow::kPreviewTag)->shared_from_this());
    }
    static std::string problemOf(const UITableViewCellPtr& cell) {
        auto* label = dynamic_cast<UILabel*>(cell->contentView()->viewWithTag(PreviewRow::kProblemTag));
        return label && !label->isHidden() ? label->text() : std::string();
    }
    std::vector<UITableViewCellPtr> rows(PSListController& page) {
        std::vector<UITableViewCellPtr> cells;
        for (long r = 0; r < page.table()->numberOfRowsInSection(0); ++r)
            cells.push_back(page.table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0)));
        return cells;
    }
};

}  // namespace

TEST_F(ThemeList, EveryInstalledThemeGetsAnEightyPointRowWithBothHalvesDrawn) {
    installShippedThemes();
    auto page = openFrom(std::make_shared<QVAXSettingsMainController>(), "THEME");
    ASSERT_TRUE(page);
    dismissNotice();
    auto cells = rows(*page);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->textLabel()->text(), "Ampora Connect");
    EXPECT_EQ(cells[1]->textLabel()->text(), "Ampora LBI");
    for (const auto& cell : cells) {
        EXPECT_EQ(page->table()->rectForRowAtIndexPath(*page->table()->indexPathForCell(cell.get())).size.height, 80);
        auto preview = previewOf(cell);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->frame(), CGRectMake(18, 20, 110, 40));
        EXPECT_TRUE(preview->lightBatteryView()->image()) << cell->textLabel()->text();
        EXPECT_TRUE(preview->darkBatteryView()->image()) << cell->textLabel()->text();
        EXPECT_EQ(preview->batteryImageHeight(), 20);
        // The row text starts right of the preview.
        EXPECT_GE(cell->textLabel()->frame().origin.x, 18 + 110);
    }
    shot("theme-list");
}

TEST_F(ThemeList, ChoosingWritesTheThemeThenPostsOnce) {
    installShippedThemes();
    auto page = openFrom(std::make_shared<QVAXSettingsMainController>(), "THEME");
    ASSERT_TRUE(page);
    dismissNotice();
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    ASSERT_TRUE(tapRow(*page, "Ampora LBI"));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->at("theme"), PlistValue("Ampora LBI"));
    EXPECT_TRUE(rows(*page)[1]->accessoryType() == UITableViewCellAccessoryType::Checkmark);
}

TEST_F(ThemeList, AWriteThatFailsIsNotAnnounced) {
    installShippedThemes();
    temp.writeFile(foundation::settingsFilePath(), "not a property list");
    auto page = openFrom(std::make_shared<QVAXSettingsMainController>(), "THEME");
    ASSERT_TRUE(page);
    dismissNotice();
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    ASSERT_TRUE(tapRow(*page, "Ampora LBI"));
    EXPECT_EQ(log.take(), std::vector<std::string>{});
    // The checkmark stays on what is stored, and the person is told.
    auto cells = rows(*page);
    EXPECT_TRUE(cells[0]->accessoryType() == UITableViewCellAccessoryType::Checkmark) << "Ampora Connect, the default";
    EXPECT_FALSE(cells[1]->accessoryType() == UITableViewCellAccessoryType::Checkmark);
    ASSERT_TRUE(alert()) << "a choice that was not saved is told";
}

TEST_F(ThemeList, TheSecondaryListWritesItsKeyAndMirrorsWithTheSecondaryFlipsUntilItLeaves) {
    installShippedThemes();
    temp.writeSettings({{"flipXSecondary", PlistValue(true)}, {"flipX", PlistValue(false)}});
    auto options = std::make_shared<QVAXSettingsOptionsController>();
    auto page = openFrom(options, "SEC_THEME");
    ASSERT_TRUE(std::dynamic_pointer_cast<QVAXSettingSecondaryThemeListController>(page));
    dismissNotice();
    EXPECT_TRUE(useSecondarySettings);
    auto preview = previewOf(rows(*page)[0]);
    EXPECT_TRUE(preview->lightSettings()->flipX);
    EXPECT_TRUE(preview->darkSettings()->flipX);

    pagetest::ChangeLog log(temp.root(), notifyFolder);
    ASSERT_TRUE(tapRow(*page, "Ampora Connect"));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    EXPECT_EQ(settings->at("secondTheme"), PlistValue("Ampora Connect"));
    EXPECT_FALSE(settings->count("theme"));

    nav->popViewControllerAnimated(true);
    settle();
    EXPECT_FALSE(useSecondarySettings);
    EXPECT_FALSE(getBatteryRenderSettings().lightSettings->flipX);
    EXPECT_EQ(cellFor(*options, "SEC_THEME")->detailTextLabel()->text(), "Ampora Connect");
}

TEST_F(ThemeList, TheNoticeShowsOnTheFirstTwoVisitsOfEitherList) {
    installShippedThemes();
    temp.writeSettings({});
    auto main = std::make_shared<QVAXSettingsMainController>();
    show(main);
    auto themeRow = *main->indexPathForSpecifier(main->specifierForID("THEME"));
    int notices = 0;
    for (int visit = 0; visit < 3; ++visit) {
        main->didSelectRowAtIndexPath(*main->table(), themeRow);
        settle();
        if (auto shown = alert()) {
            EXPECT_EQ(shown->title(), "Themes");
            ++notices;
            shown->clickButtonAtIndex(0);
        }
        nav->popViewControllerAnimated(false);
        settle();
    }
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(foundation::readDictionaryFromFile(foundation::settingsFilePath())->at("viewedTP"), PlistValue(2));
}

TEST_F(ThemeList, ScriptsThatCannotBeReadGiveEmptyPreviewsWithoutBlocking) {
    installShippedThemes();
    temp.writeFile(foundation::themeFolderPath() + "Latin1.js", "(a,b,c,d,e){return \"\xe9\xe9\";}" + std::string(100, ' '));
    std::filesystem::create_directory(foundation::themeFolderPath() + "Folder.js");
    ASSERT_EQ(::mkfifo((foundation::themeFolderPath() + "Pipe.js").c_str(), 0600), 0);
    temp.writeFile(foundation::themeFolderPath() + "Huge.js", themeScript("(a,b,c,d,e)") + std::string(1 << 20, ' '));
    auto page = openFrom(std::make_shared<QVAXSettingsMainController>(), "THEME");
    ASSERT_TRUE(page);
    dismissNotice();
    int empty = 0;
    for (const auto& cell : rows(*page)) {
        auto preview = previewOf(cell);
        const std::string name = cell->textLabel()->text();
        if (name.starts_with("Ampora")) {
            EXPECT_TRUE(preview->lightBatteryView()->image()) << name;
        } else {
            EXPECT_FALSE(preview->lightBatteryView()->image()) << name;
            EXPECT_FALSE(preview->darkBatteryView()->image()) << name;
            ++empty;
        }
    }
    EXPECT_EQ(empty, 4);
    for (const auto& cell : rows(*page))
        EXPECT_EQ(problemOf(cell).empty(), cell->textLabel()->text().starts_with("Ampora")) << cell->textLabel()->text();
}

TEST_F(ThemeList, PreviewsAreDrawnForRowsNearViewOffTheMainThreadAndALoopHoldsUpNothing) {
    installShippedThemes();
    // "Endless" never returns; forty more rows make the list longer than a few screens.
    temp.writeFile(foundation::themeFolderPath() + "Endless.js",
                   "(c,g,l,m,e){ for (;;) {} /* never returns; padded past the shortest a theme may be */ }");
    for (int i = 0; i < 40; ++i)
        temp.writeFile(foundation::themeFolderPath() + "Zz " + std::to_string(100 + i) + ".js", themeScript("(a,b,c,d,e)"));
    auto root = std::make_shared<QVAXSettingsMainController>();
    show(root);
    dismissNotice();
    auto path = root->indexPathForSpecifier(root->specifierForID("THEME"));
    ASSERT_TRUE(path);
    const auto asked = std::chrono::steady_clock::now();
    root->didSelectRowAtIndexPath(*root->table(), *path);
    // The page is there before any theme has run.
    OffscreenScreen::runPendingBlocks();
    screen->render(1);
    // Running the endless theme here would take its 250 ms twice, once per half.
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(400)) << "the list does not wait";
    auto page = std::dynamic_pointer_cast<QVAXSettingThemeListController>(nav->topViewController());
    ASSERT_TRUE(page);
    UITableViewCellPtr endless, next;
    for (const auto& cell : rows(*page)) {
        if (cell->textLabel()->text() == "Endless") endless = cell;
        else if (endless && !next) next = cell;
    }
    ASSERT_TRUE(endless && next);
    auto preview = previewOf(endless);
    ASSERT_TRUE(preview) << "a row in view has its box at once";
    EXPECT_FALSE(preview->lightBatteryView()->image()) << "empty until its image comes";

    settle();
    dismissNotice();
    EXPECT_TRUE(preview->isRendered());
    EXPECT_FALSE(preview->failureBadge()->isHidden()) << "a theme out of time shows as failed";
    EXPECT_FALSE(problemOf(endless).empty());
    EXPECT_TRUE(previewOf(next)->lightBatteryView()->image()) << "the next row is drawn all the same";
    // Rows far below have not been read or drawn; scrolled to, they are, and the top ones are let go.
    const auto cells = rows(*page);
    EXPECT_EQ(cells.back()->contentView()->viewWithTag(PreviewRow::kPreviewTag), nullptr);
    page->table()->setContentOffset({0, page->table()->contentSize().height});
    settle();
    ASSERT_NE(cells.back()->contentView()->viewWithTag(PreviewRow::kPreviewTag), nullptr);
    EXPECT_TRUE(previewOf(cells.back())->lightBatteryView()->image());
    EXPECT_FALSE(previewOf(cells[1])->lightBatteryView()->image()) << "far out of view: released";
}

TEST_F(ThemeList, AThemeThatFailsSaysWhyAndCanStillBeChosen) {
    installShippedThemes();
    temp.writeFile(foundation::themeFolderPath() + "Broken.js",
                   "(c,g,l,m,e){var f=document.createElement('canvas');f.width=6;f.height=c;"
                   "paintTheLevel(f,l);return f.toDataURL('image/png')}");
    auto page = openFrom(std::make_shared<QVAXSettingsMainController>(), "THEME");
    ASSERT_TRUE(page);
    dismissNotice();
    for (const auto& cell : rows(*page)) {
        const bool broken = cell->textLabel()->text() == "Broken";
        EXPECT_EQ(previewOf(cell)->failureBadge()->isHidden(), !broken) << cell->textLabel()->text();
        EXPECT_EQ(problemOf(cell).find("Can't find variable: paintTheLevel") != std::string::npos, broken)
            << cell->textLabel()->text() << ": " << problemOf(cell);
    }
    ASSERT_TRUE(tapRow(*page, "Broken"));
    EXPECT_EQ(foundation::readDictionaryFromFile(foundation::settingsFilePath())->at("theme"), PlistValue("Broken"));
    shot("theme-list-failure");
}
