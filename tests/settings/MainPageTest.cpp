// The pane's first page on a preferences root of its own: what it shows on a
// fresh root, how its rows write, the theme listing, the header row, rotation
// and the offer to move old settings over.
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/services/SLComposeViewController.h"
#include "platform/uikit/services/URLOpener.h"
#include "platform/uikit/views/UIClock.h"
#include "settings/pages/QVAXSettingsMainController.h"
#include "settings/pages/QVHeaderCell.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;
using namespace uikit::test;

namespace {

class MainPage : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingsMainController> page;

    void open() {
        page = std::make_shared<QVAXSettingsMainController>();
        show(page);
    }
    std::shared_ptr<PSTableCell> cellFor(const std::string& id) { return PageTest::cellFor(*page, id); }
    std::optional<foundation::PlistDictionary> settings() {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath());
    }
};

}  // namespace

TEST_F(MainPage, FreshRootShowsDefaultsInLocalizedRows) {
    open();
    auto enabled = std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("ENABLED"));
    ASSERT_TRUE(enabled);
    EXPECT_EQ(enabled->objcClass()->name(), "SKTintedSwitchCell");
    EXPECT_FALSE(enabled->switchControl()->isOn());
    EXPECT_EQ(enabled->textLabel()->text(), "Enabled");
    EXPECT_EQ(cellFor("THEME")->detailTextLabel()->text(), "Ampora Connect");
    for (const char* id : {"PROFILES", "COLOR_OPTIONS", "OTHER_OPTIONS", "CREATOR"}) EXPECT_TRUE(cellFor(id)) << id;
    EXPECT_EQ(nav->navigationBar()->tintColor(), QVAXSettingsController::kPaneColor);
}

TEST_F(MainPage, TheSwitchWritesOnlyItsKeyKeepingTheRest) {
    temp.writeSettings({{"theme", PlistValue("Ampora LBI")}});
    open();
    auto enabled = std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("ENABLED"));
    enabled->switchControl()->setOn(true);
    enabled->controlChanged();
    EXPECT_EQ(settings(), (foundation::PlistDictionary{{"enabled", PlistValue(true)}, {"theme", PlistValue("Ampora LBI")}}));
    // A nil value changes nothing.
    page->setPreferenceValue(std::nullopt, enabled->specifier());
    EXPECT_EQ(settings()->size(), 2u);
}

TEST_F(MainPage, AnUnreadableSettingsFileIsNeverReplacedAndTheRowShowsTheFile) {
    temp.writeFile(foundation::settingsFilePath(), "not a property list");
    open();
    auto enabled = std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("ENABLED"));
    enabled->switchControl()->setOn(true);
    enabled->controlChanged();
    EXPECT_EQ(temp.readFile(foundation::settingsFilePath()), "not a property list");
    EXPECT_FALSE(enabled->switchControl()->isOn());
}

TEST_F(MainPage, ListsOnlyScriptsEndingInLowerCaseJs) {
    temp.writeTheme("Blue", themeScript("level"));
    temp.writeFile(foundation::themeFolderPath() + "Readme.txt", "x");
    temp.writeFile(foundation::themeFolderPath() + "Red.JS", "x");
    open();
    EXPECT_EQ(page->themes(), std::vector<std::string>{"Blue"});
}

TEST_F(MainPage, HeaderRowIsAsTallAsThePictureAtScreenWidthAndRoundsAfterRotation) {
    open();
    // The picture is 375 × 150 points.
    EXPECT_FLOAT_EQ(page->headerHeight(), 150);
    auto header = QVHeaderCell::latestHeaderCell();
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->headerImageView()->image());

    page->didRotateFromInterfaceOrientation(UIInterfaceOrientation::PortraitUpsideDown);
    EXPECT_EQ(header->layer()->cornerRadius(), 7);
    page->didRotateFromInterfaceOrientation(UIInterfaceOrientation::LandscapeLeft);
    EXPECT_EQ(header->layer()->cornerRadius(), 0);
}

TEST_F(MainPage, HeaderCellMakesItsPictureOnce) {
    open();
    auto header = QVHeaderCell::latestHeaderCell();
    const size_t before = header->contentView()->subviews().size();
    auto table = header->superview();
    header->removeFromSuperview();
    table->addSubview(header);
    EXPECT_EQ(header->contentView()->subviews().size(), before);
}

TEST_F(MainPage, MissingHeaderPictureGivesAFixedHeight) {
    NSBundle::setBundleForClass("QVAXSettingsMainController", nullptr);
    open();
    EXPECT_FLOAT_EQ(page->headerHeight(), QVAXSettingsMainController::kFallbackHeaderHeight);
}

TEST_F(MainPage, LogoFadesInOncePerPage) {
    open();
    ASSERT_TRUE(page->isLogoUp());
    auto logo = page->navigationItem()->titleView();
    ASSERT_TRUE(logo);
    // Settling took part of the 1.25 s fade.
    EXPECT_GT(logo->layer()->presentationOpacity(), 0);
    EXPECT_LT(logo->layer()->presentationOpacity(), 1);
    UIClock::shared().advance(1);
    EXPECT_EQ(logo->layer()->presentationOpacity(), 1);
    page->viewDidAppear(false);
    EXPECT_EQ(page->navigationItem()->titleView(), logo);
}

TEST_F(MainPage, OffersOldSettingsOnlyWhenThereAreNoCurrentOnes) {
    foundation::writeDictionaryToFile({{"enabled", PlistValue(true)}, {"theme", PlistValue("Ampora LBI")}},
                                      foundation::legacySettingsFilePath());
    open();
    auto alert = UIAlertView::visibleAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Old Settings");
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "Ok Sweet!");
    alert->clickButtonAtIndex(0);
    settle();
    EXPECT_EQ(settings(), (foundation::PlistDictionary{{"enabled", PlistValue(true)}, {"theme", PlistValue("Ampora LBI")}}));
    EXPECT_TRUE(std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor("ENABLED"))->switchControl()->isOn());
    EXPECT_EQ(cellFor("THEME")->detailTextLabel()->text(), "Ampora LBI");
    page->viewDidAppear(false);
    EXPECT_FALSE(UIAlertView::visibleAlert());
}

TEST_F(MainPage, ACorruptLegacyFileIsOfferedOnceAndTheFailureIsTold) {
    temp.writeFile(foundation::legacySettingsFilePath(), "garbage");
    open();
    auto offer = UIAlertView::visibleAlert();
    ASSERT_TRUE(offer);
    offer->clickButtonAtIndex(0);
    settle();
    auto told = UIAlertView::visibleAlert();
    ASSERT_TRUE(told) << "\"Ok Sweet!\" that does nothing says so";
    EXPECT_EQ(told->title(), "Old Settings");
    EXPECT_NE(told->message().find("could not be moved over"), std::string::npos) << told->message();
    told->clickButtonAtIndex(0);
    settle();
    page->viewDidAppear(false);
    settle();
    EXPECT_FALSE(UIAlertView::visibleAlert());
    EXPECT_FALSE(settings());
}

TEST_F(MainPage, ThePageReferenceIsWeak) {
    open();
    EXPECT_EQ(QVAXSettingsMainController::mainPage(), page);
    window->setRootViewController(nullptr);
    nav.reset();
    page.reset();
    EXPECT_FALSE(QVAXSettingsMainController::mainPage());
}

TEST_F(MainPage, TheHeartSharesThePagesMessageAndCancelKeepsThePaneColor) {
    auto opener = std::make_shared<RecordingURLOpener>(std::set<std::string>{"https"});
    setSharedURLOpener(opener);
    open();
    page->heartButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    auto sheet = std::dynamic_pointer_cast<SLComposeViewController>(page->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->text(), *page->shareMessage());
    sheet->cancel();
    settle();
    EXPECT_FALSE(page->presentedViewController());
    EXPECT_TRUE(opener->opened().empty());
    EXPECT_EQ(nav->navigationBar()->tintColor(), QVAXSettingsController::kPaneColor);
    setSharedURLOpener(nullptr);
}
