// The theme page reached by class name and its theme cells: a row per entry
// of the theme folder, only regular scripts read, the header strip, and each
// cell's preview of its script in white on black at level 55.
#include <sys/stat.h>

#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"
#include "platform/runtime/Runtime.h"
#include "settings/pages/QVAXSettingsThemeController.h"
#include "settings/preview/QVAXThemeCell.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;
using uikit::test::pixelAt;

namespace {

class ThemePage : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingsThemeController> open() {
        auto page = std::dynamic_pointer_cast<QVAXSettingsThemeController>(
            runtime::makeInstance(runtime::NSClassFromString("QVAXSettingsThemeController")));
        show(page);
        return page;
    }
    std::shared_ptr<QVAXThemeCell> cellFor(const std::string& script, bool withScript = true) {
        auto row = PSSpecifier::preferenceSpecifierNamed("Row", {}, {}, {}, nullptr, PSListItemCell, nullptr);
        if (withScript) row->setProperty(PlistValue(script), "script_key");
        row->setProperty(QVAXThemeCell::staticClass(), "cellClass");
        return std::dynamic_pointer_cast<QVAXThemeCell>(PSTableCell::cellForSpecifier(row));
    }
};

}  // namespace

TEST_F(ThemePage, OneRowPerEntryReadingOnlyRegularScripts) {
    installShippedThemes();
    ASSERT_EQ(::mkfifo((foundation::themeFolderPath() + "Pipe.js").c_str(), 0600), 0);
    auto page = open();
    std::vector<std::string> labels;
    for (const auto& s : page->specifiers()) {
        labels.push_back(s->name());
        EXPECT_EQ(s->stringPropertyForKey("key"), "theme");
        EXPECT_EQ(s->plistPropertyForKey("script_key") != nullptr, s->name().starts_with("Ampora")) << s->name();
    }
    // The profiles folder is an entry of the theme folder too.
    EXPECT_EQ(labels, (std::vector<std::string>{"Ampora Connect", "Ampora LBI", "Pipe", "Profiles"}));
    EXPECT_EQ(page->title(), "Select Theme");
    auto first = std::dynamic_pointer_cast<QVAXThemeCell>(page->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)));
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->defaultPreview()->lightBatteryView()->image());
    shot("theme-page");
}

TEST_F(ThemePage, TheHeaderStripIsEightyHighAfterLayout) {
    auto page = open();
    EXPECT_EQ(page->xheaderView().frame().size.height, 80);
    EXPECT_EQ(page->heightForHeaderInSection(*page->table(), 0), 80);
    EXPECT_EQ(page->levelSlider()->frame().origin.x, 20);
    EXPECT_EQ(page->table()->rectForHeaderInSection(0).size.height, 80);
}

TEST_F(ThemePage, ACellDrawsItsScriptWhiteOnBlackAtFiftyFive) {
    installShippedThemes();
    auto cell = cellFor(*foundation::readUTF8File(foundation::themeFolderPath() + "Ampora Connect.js"));
    EXPECT_EQ(cell->settings()->level, 55);
    EXPECT_EQ(cell->settings()->color, graphics::Color::rgb(1, 1, 1));
    EXPECT_EQ(cell->settings()->baseColor, graphics::Color::rgb(0, 0, 0));
    EXPECT_TRUE(cell->defaultPreview()->lightBatteryView()->image());
    EXPECT_TRUE(cell->defaultPreview()->darkBatteryView()->image());
    EXPECT_FALSE(cell->dynamicPreview()->lightBatteryView()->image());
    cell->setFrame(CGRectMake(0, 0, 375, 80));
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->defaultPreview()->frame().origin.x, 375 / 2.0 + 18);
    EXPECT_EQ(cell->dynamicPreview()->frame().origin.x + 110, 375 / 2.0 - 18);
    EXPECT_EQ(cell->defaultPreview()->center().y, 40 + 14);
}

TEST_F(ThemePage, ACellWithoutAScriptStaysEmptyAndItsTapOnlyLogs) {
    auto cell = cellFor("", false);
    EXPECT_TRUE(cell->script().empty());
    EXPECT_FALSE(cell->defaultPreview()->lightBatteryView()->image());
    auto table = std::make_shared<UITableView>(CGRectMake(0, 0, 375, 600));
    table->addSubview(cell);
    EXPECT_TRUE(cell->performCellAction());
    EXPECT_EQ(cell->cellAction(), "saveTheme");
}
