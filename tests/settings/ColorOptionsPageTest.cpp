// The color options page and its color cells: what an empty or hand-edited
// settings file shows, the picker each row opens, what leaving the picker
// writes, and that a picked color is stored even when its pages are gone.
#include "common/ColorParsing.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "settings/pages/QVAXSettingsColorOptionsController.h"
#include "settings/pages/QVColorCell.h"
#include "settings/toolkit/MSBetterPSSliderTableCell.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;

namespace {

const std::vector<std::pair<std::string, std::string>> kColorRows = {
    {"LIGHT_MAIN_COL", "#000000"}, {"LIGHT_BASE_COL", "#00000055"}, {"DARK_MAIN_COL", "#FFFFFF"},
    {"DARK_BASE_COL", "#FFFFFF55"}, {"CH_COL", "#00FF00"},          {"CC_COL", "#00CCFF"},
    {"LOW_COL", "#FF0000"},         {"LPM_COL", "#FFCC00"}};

class ColorOptions : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingsColorOptionsController> page = std::make_shared<QVAXSettingsColorOptionsController>();

    std::shared_ptr<QVColorCell> color(const std::string& id) {
        return std::dynamic_pointer_cast<QVColorCell>(cellFor(*page, id));
    }
    std::optional<foundation::PlistDictionary> settings() {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath());
    }
    std::shared_ptr<QVAXColorPickerViewController> openPicker(const std::string& id) {
        // As a tap on the row: the table's selection (two rows share each title).
        auto path = page->indexPathForSpecifier(page->specifierForID(id));
        EXPECT_TRUE(path) << id;
        if (!path) return nullptr;
        page->table()->selectRowAtIndexPath(*path, false);
        page->table()->delegate()->didSelectRowAtIndexPath(*page->table(), *path);
        settle();
        return std::dynamic_pointer_cast<QVAXColorPickerViewController>(nav->topViewController());
    }
    void back() {
        nav->popViewControllerAnimated(true);
        settle();
    }
};

}  // namespace

TEST_F(ColorOptions, AnEmptySettingsFileShowsEveryDefault) {
    temp.writeSettings({});
    show(page);
    EXPECT_EQ(page->specifiers().size(), 23u);
    EXPECT_EQ(page->title(), "Colors");
    for (const auto& [id, shown] : kColorRows) {
        auto cell = color(id);
        ASSERT_TRUE(cell) << id;
        EXPECT_EQ(cell->detailTextLabel()->text(), shown) << id;
        ASSERT_EQ(cell->accessoryView(), cell->colorPreview());
        EXPECT_EQ(cell->colorPreview()->tag(), 199);
        EXPECT_EQ(cell->colorPreview()->backgroundColor(), ColorParsing::colorFromHexString(shown)) << id;
        EXPECT_EQ(cell->specifier()->target(), page) << "the row's getter and setter stay with the page";
    }
    for (const char* id : {"USE_CUSTOM_CH", "USE_CUSTOM_CC", "USE_CUSTOM_LOW", "USE_CUSTOM_LPM", "SHARE_W_BASE",
                           "USE_PASS_MAIN", "USE_PASS_BASE"})
        EXPECT_FALSE(std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor(*page, id))->switchControl()->isOn()) << id;
    int sliders = 0;
    for (const auto& s : page->specifiers())
        if (auto path = page->indexPathForSpecifier(s); !path) continue;
        else if (auto slider = std::dynamic_pointer_cast<MSBetterPSSliderTableCell>(
                     page->table()->cellForRowAtIndexPath(*path))) {
            EXPECT_NEAR(slider->slider()->value(), 0.3, 1e-9);
            ++sliders;
        }
    EXPECT_EQ(sliders, 2);
    EXPECT_FALSE(settings()->size()) << "showing writes nothing";
    shot("color-options");
}

TEST_F(ColorOptions, OnlyNonEmptyTextIsAStoredColor) {
    temp.writeSettings({{"darkColor", PlistValue("#12ab9f")},
                        {"baseDarkColor", PlistValue("")},
                        {"lightColor", PlistValue(7)},
                        {"baseLightColor", PlistValue(foundation::PlistDictionary{{"a", PlistValue("#000000")}})}});
    show(page);
    EXPECT_EQ(color("LIGHT_MAIN_COL")->detailTextLabel()->text(), "#12AB9F");
    EXPECT_EQ(color("LIGHT_BASE_COL")->detailTextLabel()->text(), "#00000055");
    EXPECT_EQ(color("DARK_MAIN_COL")->detailTextLabel()->text(), "#FFFFFF");
    EXPECT_EQ(color("DARK_BASE_COL")->detailTextLabel()->text(), "#FFFFFF55");
    EXPECT_EQ(settings()->at("darkColor"), PlistValue("#12ab9f")) << "displaying rewrites nothing";
}

TEST_F(ColorOptions, EachRowOpensThePickerForItsPartOfThePreview) {
    show(page);
    auto main = openPicker("LIGHT_MAIN_COL");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->title(), "Main Color \u00B7 Light Bar") << "both bars have a main color";
    EXPECT_EQ(main->updateKey(), "color");
    EXPECT_EQ(main->updateForegroundKey(), "lightSettings");
    EXPECT_FALSE(main->alphaSlider());
    EXPECT_EQ(main->delegate(), color("LIGHT_MAIN_COL"));
    ASSERT_TRUE(main->batterySettings());
    back();

    auto charge = openPicker("CH_COL");
    EXPECT_EQ(charge->title(), "Charging Color") << "a color of both bars names no bar";
    EXPECT_EQ(charge->updateKey(), "color");
    EXPECT_FALSE(charge->updateForegroundKey());
    back();

    // With a shared main color, only the base rows name what they feed.
    temp.writeSettings({{"shareMainColorEnabled", PlistValue(true)}});
    EXPECT_FALSE(openPicker("DARK_MAIN_COL")->updateKey());
    back();
    auto base = openPicker("DARK_BASE_COL");
    EXPECT_EQ(base->title(), "Base Color \u00B7 Dark Bar");
    EXPECT_EQ(base->updateKey(), "baseColor");
    ASSERT_TRUE(base->alphaSlider());
    EXPECT_NEAR(base->alphaSlider()->value(), 0x55 / 255.0, 1e-9);
}

TEST_F(ColorOptions, LeavingThePickerWritesTheRowsDigitsOnceAndCancelWritesNothing) {
    show(page);
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    auto picker = openPicker("LIGHT_MAIN_COL");
    picker->setColor(UIColor::rgb(1, 0.5, 0));
    back();
    EXPECT_EQ(settings()->at("darkColor"), PlistValue("#ff7f00"));
    EXPECT_EQ(color("LIGHT_MAIN_COL")->detailTextLabel()->text(), "#FF7F00");
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));

    picker = openPicker("LIGHT_BASE_COL");
    picker->setColor(UIColor::rgb(0, 0, 1));
    back();
    EXPECT_EQ(settings()->at("baseDarkColor"), PlistValue("#0000ff55"));
    log.take();

    picker = openPicker("LOW_COL");
    picker->setColor(UIColor::rgb(0, 1, 0));
    picker->cancelPicking();
    settle();
    EXPECT_EQ(nav->topViewController(), page);
    EXPECT_TRUE(log.take().empty());
    EXPECT_FALSE(settings()->count("lowColor"));
    EXPECT_EQ(color("LOW_COL")->detailTextLabel()->text(), "#FF0000");
}

TEST_F(ColorOptions, ARefusedSaveLeavesSwatchTextAndPickerOnWhatIsStored) {
    // A settings file that exists but cannot be read is never replaced.
    temp.writeFile(foundation::settingsFilePath(), "not a property list");
    show(page);
    auto picker = openPicker("LIGHT_MAIN_COL");
    picker->setColor(UIColor::rgb(1, 0.5, 0));
    back();
    EXPECT_EQ(temp.readFile(foundation::settingsFilePath()), "not a property list");
    auto cell = color("LIGHT_MAIN_COL");
    EXPECT_EQ(cell->detailTextLabel()->text(), "#000000");
    ASSERT_TRUE(cell->colorPreview());
    EXPECT_EQ(cell->colorPreview()->backgroundColor(), std::optional(UIColor::rgb(0, 0, 0)))
        << "the swatch is not the refused color";
    ASSERT_TRUE(alert()) << "the person is told it was not saved";
    alert()->clickButtonAtIndex(0);
    settle();
    picker = openPicker("LIGHT_MAIN_COL");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->color(), UIColor::rgb(0, 0, 0)) << "the picker opens at what is stored";
}

TEST_F(ColorOptions, APickedColorIsStoredWhenTheRegisteredPageIsGone) {
    show(page);
    auto cell = color("CC_COL");
    auto picker = openPicker("CC_COL");
    {
        // A later page registers itself, then goes.
        auto later = std::make_shared<QVAXSettingsColorOptionsController>();
        later->view();
        EXPECT_EQ(QVAXSettingsColorOptionsController::registeredPage(), later);
    }
    EXPECT_FALSE(QVAXSettingsColorOptionsController::registeredPage());
    cell->colorPickerControllerDidFinishPickingWithColor(*picker, UIColor::rgb(0, 0, 0));
    EXPECT_EQ(settings()->at("chargeCColor"), PlistValue("#000000")) << "through the cell's own page";

    // A row with no page at all still stores and announces.
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    auto orphan = std::dynamic_pointer_cast<QVColorCell>(PSTableCell::cellForSpecifier(cell->specifier()));
    orphan->specifier()->setTarget({});
    orphan->colorPickerControllerDidFinishPickingWithColor(*picker, UIColor::rgb(1, 1, 1));
    EXPECT_EQ(settings()->at("chargeCColor"), PlistValue("#ffffff"));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
}
