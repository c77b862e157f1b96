// The options page and its slider rows: what an empty settings file shows,
// dragging, and typing an exact value through the entry alert.
#include <algorithm>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/controls/UIToolbar.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIDevice.h"
#include "settings/pages/QVAXSettingsOptionsController.h"
#include "settings/toolkit/MSBetterPSSliderTableCell.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;

namespace {

class OptionsPage : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingsOptionsController> page = std::make_shared<QVAXSettingsOptionsController>();

    std::shared_ptr<MSBetterPSSliderTableCell> slider(const std::string& key) {
        for (const auto& s : page->specifiers())
            if (s->stringPropertyForKey("key") == key)
                return std::dynamic_pointer_cast<MSBetterPSSliderTableCell>(
                    page->table()->cellForRowAtIndexPath(*page->indexPathForSpecifier(s)));
        return nullptr;
    }
    bool switchIsOn(const std::string& id) {
        return std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor(*page, id))->switchControl()->isOn();
    }
    std::optional<foundation::PlistDictionary> settings() {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath());
    }
    // Types `text` into the entry alert of `cell` and presses Enter.
    void enter(MSBetterPSSliderTableCell& cell, const std::string& text) {
        cell.presentPopup();
        settle();
        ASSERT_EQ(alert(), cell.alert());
        alert()->textFieldAtIndex(0)->setText(text);
        answerAlert(1);
    }
    // A lone slider row of the given range, writing to this test's settings file.
    std::shared_ptr<MSBetterPSSliderTableCell> looseSlider(double min, double max) {
        auto row = PSSpecifier::preferenceSpecifierNamed("Row", page, "setPreferenceValue:specifier:",
                                                         "readPreferenceValue:", nullptr, PSSliderCell, nullptr);
        row->setProperty(PlistValue(min), "min");
        row->setProperty(PlistValue(max), "max");
        row->setProperty(PlistValue("com.kelvary.ampora.plist"), "defaults");
        row->setProperty(PlistValue("lowLevel"), "key");
        row->setProperty(MSBetterPSSliderTableCell::staticClass(), "cellClass");
        return std::dynamic_pointer_cast<MSBetterPSSliderTableCell>(PSTableCell::cellForSpecifier(row));
    }
    std::vector<std::string> toolbarTitles(MSBetterPSSliderTableCell& cell) {
        cell.presentPopup();
        settle();
        std::vector<std::string> titles;
        if (auto bar = std::dynamic_pointer_cast<UIToolbar>(alert()->textFieldAtIndex(0)->inputAccessoryView()))
            for (const auto& item : bar->items()) titles.push_back(item->title());
        answerAlert(0);
        return titles;
    }
};

}  // namespace

TEST_F(OptionsPage, AnEmptySettingsFileShowsTheDefaults) {
    temp.writeSettings({});
    show(page);
    EXPECT_EQ(page->title(), "More Options");
    for (const char* id : {"FLIP_H", "FLIP_V", "SHOW_BOLT", "IGNORE_CHARGE", "FLIP_SEC_H", "FLIP_SEC_V",
                           "Enable Custom Percent"})
        EXPECT_FALSE(switchIsOn(id)) << id;
    EXPECT_TRUE(switchIsOn("USE_SECOND"));
    EXPECT_EQ(cellFor(*page, "SEC_THEME")->detailTextLabel()->text(), "Ampora LBI");
    EXPECT_EQ(slider("lowLevel")->slider()->value(), 20);
    EXPECT_EQ(slider("secondThemeLimit")->slider()->value(), 20);
    EXPECT_EQ(slider("customLevel")->slider()->value(), 75);
    EXPECT_EQ(slider("lowLevel")->slider()->minimumValue(), 5);
    EXPECT_EQ(slider("lowLevel")->slider()->maximumValue(), 95);
    EXPECT_EQ(slider("customLevel")->slider()->minimumValue(), 0);
    EXPECT_EQ(slider("customLevel")->slider()->maximumValue(), 100);
    // The captions go with the sliders below them, and "horizontally" goes with flipY.
    EXPECT_EQ(cellFor(*page, "LOW_LEVEL")->textLabel()->text(), "Low Battery Level");
    EXPECT_EQ(cellFor(*page, "FLIP_H")->specifier()->stringPropertyForKey("key"), "flipY");
    shot("options");
}

TEST_F(OptionsPage, MovingASliderStoresARealNumberAndPosts) {
    show(page);
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    auto low = slider("lowLevel");
    low->slider()->setValue(42);
    low->controlChanged();
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(42.0));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
}

TEST_F(OptionsPage, DraggingWritesAndPostsAtMostTenTimesASecondAndOnRelease) {
    show(page);
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    UISlider& bar = *slider("lowLevel")->slider();
    const CGRect track = bar.convertRectToView(bar.bounds(), nullptr);
    const double y = track.origin.y + track.size.height / 2;
    // One second of dragging, 60 moves.
    screen->drag({track.origin.x + 14, y}, {track.origin.x + track.size.width - 14, y}, 60, 1.0);
    UIClock::shared().advance(1);
    const auto seen = log.take();
    const auto posts = std::count(seen.begin(), seen.end(), "post");
    EXPECT_GE(posts, 5);
    EXPECT_LE(posts, 12);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "write:com.kelvary.ampora.plist"), posts);
    EXPECT_EQ(seen.back(), "post");
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(bar.value()));
    EXPECT_NEAR(bar.value(), 95, 0.5);
}

TEST_F(OptionsPage, ATypedValueInRangeIsStoredAsARealNumberThenPosted) {
    show(page);
    auto low = slider("lowLevel");
    low->presentPopup();
    settle();
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->message(), "Please enter a value between 5.0 and 95.0.");
    EXPECT_EQ(alert()->buttonTitleAtIndex(0), "Cancel");
    EXPECT_EQ(alert()->buttonTitleAtIndex(1), "Enter");
    auto field = alert()->textFieldAtIndex(0);
    EXPECT_EQ(field->keyboardType(), UIKeyboardType::NumberPad);
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_FALSE(field->inputAccessoryView());
    screen->typeText("37");
    EXPECT_EQ(field->text(), "37");

    pagetest::ChangeLog log(temp.root(), notifyFolder);
    answerAlert(1);
    EXPECT_FALSE(alert());
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(37.0));
    EXPECT_EQ(low->slider()->value(), 37);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
}

TEST_F(OptionsPage, PercentSlidersStopAtWholePercentsAndTheirValueIsTheEntryTarget) {
    show(page);
    for (const char* key : {"lowLevel", "secondThemeLimit", "customLevel"}) {
        SCOPED_TRACE(key);
        auto row = slider(key);
        ASSERT_TRUE(row);
        row->slider()->setValue(45.41f);
        row->controlChanged();
        EXPECT_EQ(row->slider()->value(), 45) << "the thumb goes to the step";
        EXPECT_EQ(row->valueLabel()->text(), "45");
        EXPECT_EQ(settings()->at(key), PlistValue(45.0));
        // The value is what a person taps, and it looks like a button.
        settle();
        EXPECT_EQ(row->entryButton()->frame(), row->contentView()->convertRectToView(row->valueLabel()->frame(), row.get()));
        EXPECT_EQ(row->entryButton()->titleLabel()->text(), "45") << "the button shows the value";
        EXPECT_EQ(row->valueLabel()->alpha(), 0) << "in place of the label";
    }
    auto low = slider("lowLevel");
    enter(*low, "37.6");
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(38.0)) << "a typed value goes to the nearest step too";
    EXPECT_EQ(low->valueLabel()->text(), "38");
}

TEST_F(OptionsPage, ValuesOutOfRangeOrNotNumbersGetTheErrorThenTheEntryAgain) {
    show(page);
    auto low = slider("lowLevel");
    for (const char* bad : {"96", "abc", "", "1.2.3", "12abc", "inf", "nan", "0x1A", "95.01", "4.99"}) {
        enter(*low, bad);
        ASSERT_TRUE(alert()) << bad;
        EXPECT_EQ(alert()->title(), "Error") << bad;
        EXPECT_EQ(alert()->message(), "Ensure you enter a valid value.");
        answerAlert(0);
        ASSERT_TRUE(alert());
        EXPECT_EQ(alert(), low->alert()) << "the entry alert comes back";
        answerAlert(0);
    }
    EXPECT_FALSE(settings());
    enter(*low, "95");
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(95.0));
    enter(*low, "5");
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(5.0));
}

TEST_F(OptionsPage, TheToolbarOffersWhatTheRangeNeedsAndNothingOnAPad) {
    show(page);
    EXPECT_EQ(toolbarTitles(*looseSlider(0, 1)), std::vector<std::string>{"Point"});
    EXPECT_EQ(toolbarTitles(*looseSlider(-10, 10)), (std::vector<std::string>{"Negate", "Point"}));
    EXPECT_EQ(toolbarTitles(*looseSlider(-50, 50)), std::vector<std::string>{"Negate"});
    EXPECT_EQ(toolbarTitles(*looseSlider(5, 95)), std::vector<std::string>{});
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Pad);
    EXPECT_EQ(toolbarTitles(*looseSlider(-10, 10)), std::vector<std::string>{});
}

TEST_F(OptionsPage, NegateTogglesTheSignAndPointAppends) {
    show(page);
    auto cell = looseSlider(-10, 10);
    cell->typeMinus();  // no alert yet: nothing happens
    cell->presentPopup();
    settle();
    auto field = alert()->textFieldAtIndex(0);
    field->setText("2");
    auto bar = std::dynamic_pointer_cast<UIToolbar>(field->inputAccessoryView());
    ASSERT_TRUE(bar);
    // At the window's bottom edge, where a keyboard would rise: clear of the bars at the top.
    EXPECT_EQ(bar->window(), window.get());
    EXPECT_EQ(bar->frame(), CGRectMake(0, 667 - 44, 375, 44));
    bar->items()[0]->perform();
    EXPECT_EQ(field->text(), "-2");
    bar->items()[0]->perform();
    EXPECT_EQ(field->text(), "2");
    bar->items()[0]->perform();
    bar->items()[1]->perform();
    field->setText(field->text() + "5");
    EXPECT_EQ(field->text(), "-2.5");
    answerAlert(1);
    EXPECT_EQ(settings()->at("lowLevel"), PlistValue(-2.5));
}

TEST_F(OptionsPage, AnAlertAnsweredAfterItsCellWentAwayDoesNothing) {
    show(page);
    auto cell = looseSlider(5, 95);
    cell->presentPopup();
    settle();
    alert()->textFieldAtIndex(0)->setText("50");
    cell.reset();
    answerAlert(1);
    EXPECT_FALSE(settings());
}

TEST(TypedSliderValue, OnlyWholeFiniteDecimalNumbersParse) {
    using Cell = MSBetterPSSliderTableCell;
    EXPECT_EQ(Cell::parseTypedValue("37"), 37.0f);
    EXPECT_EQ(Cell::parseTypedValue(" 5 "), 5.0f);
    EXPECT_EQ(Cell::parseTypedValue("-2.5"), -2.5f);
    EXPECT_EQ(Cell::parseTypedValue(".5"), 0.5f);
    EXPECT_EQ(Cell::parseTypedValue("5."), 5.0f);
    EXPECT_EQ(Cell::parseTypedValue("+7"), 7.0f);
    for (const char* bad : {"", " ", "-", ".", "-.", "abc", "1.2.3", "12abc", "inf", "-inf", "nan", "0x1A", "1e3",
                            "--1", "1-", "1 2"})
        EXPECT_FALSE(Cell::parseTypedValue(bad)) << bad;
    EXPECT_FALSE(Cell::parseTypedValue("1" + std::string(60, '0'))) << "too large for a float";
}

TEST_F(OptionsPage, TheCellsWriterStaysInThePreferencesFolder) {
    show(page);
    auto cell = looseSlider(0, 100);
    // A NUL would cut the name short at the system call: "cut.plist" would be written instead.
    for (const std::string& file : {std::string(), std::string("../escape.plist"), std::string("a/b.plist"),
                                   std::string(".."), std::string("cut.plist\0.x", 12)}) {
        cell->specifier()->setProperty(PlistValue(file), "defaults");
        EXPECT_FALSE(cell->setPreferenceValue(PlistValue(1.0), cell->specifier())) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(temp.root()) / "cut.plist"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(temp.root()).parent_path() / "escape.plist"));
    EXPECT_FALSE(settings());

    cell->specifier()->setProperty(PlistValue("com.kelvary.ampora.plist"), "defaults");
    temp.writeSettings({{"enabled", PlistValue(true)}});
    EXPECT_TRUE(cell->setPreferenceValue(PlistValue(3.0), cell->specifier()));
    EXPECT_EQ(settings(), (foundation::PlistDictionary{{"enabled", PlistValue(true)}, {"lowLevel", PlistValue(3.0)}}));

    // A file that cannot be read is never replaced.
    temp.writeFile(foundation::settingsFilePath(), "garbage");
    EXPECT_FALSE(cell->setPreferenceValue(PlistValue(4.0), cell->specifier()));
    EXPECT_EQ(temp.readFile(foundation::settingsFilePath()), "garbage");
}
