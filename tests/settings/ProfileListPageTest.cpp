// The profile list: saving under checked names, the rows' kinds and previews,
// which rows can be deleted and that a delete or restore acts on the row's own
// name, restoring with the "Most Recent" safety copy, and the page without a
// living main page.
#include <filesystem>
#include <set>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "settings/model/ProfileLibrary.h"
#include "settings/model/Profiles.h"
#include "settings/pages/PreviewRow.h"
#include "settings/pages/QVAXSettingProfileListController.h"
#include "settings/pages/QVAXSettingsMainController.h"
#include "tests/settings/PageTestSupport.h"

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;
namespace fs = std::filesystem;

namespace {

class ProfileList : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXSettingsMainController> main = std::make_shared<QVAXSettingsMainController>();
    std::shared_ptr<QVAXSettingProfileListController> page;

    void open() {
        installShippedThemes();
        show(main);
        main->didSelectRowAtIndexPath(*main->table(), *main->indexPathForSpecifier(main->specifierForID("PROFILES")));
        settle();
        page = std::dynamic_pointer_cast<QVAXSettingProfileListController>(nav->topViewController());
        ASSERT_TRUE(page);
        while (alert()) answerAlert(0);
    }
    UITableViewCellPtr row(long index) {
        return page->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(index, 0));
    }
    std::vector<std::string> shownNames() {
        std::vector<std::string> names;
        for (long r = 0; r < page->table()->numberOfRowsInSection(0); ++r) names.push_back(row(r)->textLabel()->text());
        return names;
    }
    std::optional<UITableViewCellEditingStyle> editingStyle(long index) {
        return page->editingStyleForRowAtIndexPath(*page->table(), NSIndexPath::indexPathForRow(index, 0));
    }
    // Save → kind → name → Save.
    void save(long kind, const std::string& name) {
        page->saveTapped();
        settle();
        ASSERT_EQ(alert()->title(), "Save Profile");
        answerAlert(kind);
        typeName(name);
    }
    void typeName(const std::string& name) {
        ASSERT_TRUE(alert());
        ASSERT_EQ(alert()->title(), "Profile Name");
        alert()->textFieldAtIndex(0)->setText(name);
        answerAlert(1);
    }
    std::set<std::string> filesUnder(const std::string& folder) {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) files.insert(entry.path().string());
        return files;
    }
    foundation::PlistDictionary settings() {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath()).value_or(foundation::PlistDictionary{});
    }
};

}  // namespace

TEST_F(ProfileList, SavedProfilesShowTheirKindAndAPreview) {
    temp.writeSettings({{"theme", PlistValue("Ampora LBI")}, {"lightColor", PlistValue("#ff0000")}});
    open();
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Default"});
    save(1, "Blue");
    save(2, "Tint");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Default", "Blue", "Tint"}));
    auto blue = ProfileLibrary::readProfile("Blue");
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->size(), currentCompleteProfile().size());
    EXPECT_EQ(blue->at("theme"), PlistValue("Ampora LBI"));
    EXPECT_EQ(row(1)->detailTextLabel()->text(), "All");
    EXPECT_EQ(row(2)->detailTextLabel()->text(), "Colors");
    for (long r = 0; r < 3; ++r) {
        auto* preview = dynamic_cast<QVAXBatteryPreView*>(row(r)->contentView()->viewWithTag(PreviewRow::kPreviewTag));
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->frame(), CGRectMake(18, 20, 110, 40));
        EXPECT_TRUE(preview->lightBatteryView()->image());
        EXPECT_EQ(page->table()->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0)).size.height, 80);
    }
    shot("profile-list");
}

TEST_F(ProfileList, NamesThatWouldLeaveTheFolderOrReplaceAProfileAreRefused) {
    temp.writeSettings({{"theme", PlistValue("Ampora LBI")}});
    open();
    save(1, "Blue");
    const auto before = filesUnder(temp.root());
    for (const char* bad : {"../x", "a/b", "", "Default", "Most Recent", "Blue", ".", ".."}) {
        save(1, bad);
        ASSERT_TRUE(alert()) << bad;
        EXPECT_EQ(alert()->message(), "That name is taken or cannot be used. Please choose another.") << bad;
        answerAlert(0);
    }
    EXPECT_EQ(filesUnder(temp.root()), before);
    // The same pending profile waits for a usable name.
    save(2, "a/b");
    typeName("Evening");
    EXPECT_FALSE(ProfileLibrary::isCompleteProfile(*ProfileLibrary::readProfile("Evening")));
}

TEST_F(ProfileList, OnlyRowsAfterDefaultAndMostRecentCanBeDeletedAndADeleteTakesTheRowsOwnName) {
    foundation::writeDictionaryToFile({}, foundation::profilesFolderPath() + "Most Recent.axProfile");
    foundation::writeDictionaryToFile({}, foundation::profilesFolderPath() + "Blue.axProfile");
    foundation::writeDictionaryToFile({}, foundation::profilesFolderPath() + "Red.axProfile");
    open();
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Most Recent", "Default", "Blue", "Red"}));
    EXPECT_EQ(page->undeletable(), 2);
    EXPECT_EQ(editingStyle(0), UITableViewCellEditingStyle::None);
    EXPECT_EQ(editingStyle(1), UITableViewCellEditingStyle::None);
    EXPECT_EQ(editingStyle(2), UITableViewCellEditingStyle::Delete);

    // A profile appearing behind the page's back must not shift what a row deletes.
    foundation::writeDictionaryToFile({}, foundation::profilesFolderPath() + "Aqua.axProfile");
    page->commitEditingStyle(*page->table(), UITableViewCellEditingStyle::Delete, NSIndexPath::indexPathForRow(3, 0));
    settle();
    EXPECT_FALSE(ProfileLibrary::readProfile("Red"));
    EXPECT_TRUE(ProfileLibrary::readProfile("Aqua"));
    EXPECT_TRUE(ProfileLibrary::readProfile("Blue"));
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Most Recent", "Default", "Aqua", "Blue"}));
    // Out of range, or a protected row: nothing.
    page->commitEditingStyle(*page->table(), UITableViewCellEditingStyle::Delete, NSIndexPath::indexPathForRow(9, 0));
    page->commitEditingStyle(*page->table(), UITableViewCellEditingStyle::Delete, NSIndexPath::indexPathForRow(1, 0));
    EXPECT_TRUE(ProfileLibrary::readProfile("Default"));
}

TEST_F(ProfileList, WithoutMostRecentOnlyDefaultIsProtected) {
    foundation::writeDictionaryToFile({}, foundation::profilesFolderPath() + "Blue.axProfile");
    open();
    EXPECT_EQ(page->undeletable(), 1);
    EXPECT_EQ(editingStyle(0), UITableViewCellEditingStyle::None);
    EXPECT_EQ(editingStyle(1), UITableViewCellEditingStyle::Delete);
}

TEST_F(ProfileList, RestoringKeepsMostRecentFirstThenPostsAndMostRecentUndoesIt) {
    temp.writeSettings({{"theme", PlistValue("Ampora Connect")}, {"lightColor", PlistValue("#111111")}});
    ASSERT_EQ(ProfileLibrary::saveProfile("Blue", foundation::PlistDictionary{{"theme", PlistValue("Ampora LBI")},
                                                                               {"lightColor", PlistValue("#0000ff")}}),
              ProfileLibrary::SaveResult::Saved);
    open();
    const auto before = settings();
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    ASSERT_TRUE(tapRow(*page, "Blue"));
    ASSERT_EQ(alert()->title(), "Restore Profile");
    answerAlert(1);
    EXPECT_EQ(settings().at("theme"), PlistValue("Ampora LBI"));
    EXPECT_EQ(settings().at("lightColor"), PlistValue("#0000ff"));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.kelvary.ampora.plist", "post"}));
    EXPECT_EQ(shownNames().front(), "Most Recent");

    ASSERT_TRUE(tapRow(*page, "Most Recent"));
    answerAlert(1);
    EXPECT_EQ(settings().at("theme"), before.at("theme"));
    EXPECT_EQ(settings().at("lightColor"), before.at("lightColor"));
}

TEST_F(ProfileList, CancellingChangesNothing) {
    temp.writeSettings({{"theme", PlistValue("Ampora Connect")}});
    open();
    const auto files = filesUnder(temp.root());
    ASSERT_TRUE(tapRow(*page, "Default"));
    answerAlert(0);
    page->saveTapped();
    settle();
    answerAlert(0);
    EXPECT_EQ(filesUnder(temp.root()), files);
    EXPECT_EQ(settings().at("theme"), PlistValue("Ampora Connect"));
}

TEST_F(ProfileList, WorksWithoutAMainPageAndMakesTheProfilesFolder) {
    fs::remove_all(foundation::profilesFolderPath());
    temp.writeSettings({{"theme", PlistValue("Ampora Connect")}});
    page = std::make_shared<QVAXSettingProfileListController>();
    show(page);
    while (alert()) answerAlert(0);
    ASSERT_FALSE(QVAXSettingsMainController::mainPage());
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Default"});
    EXPECT_TRUE(ProfileLibrary::readProfile("Default"));
    save(1, "Blue");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Default", "Blue"}));
}

TEST_F(ProfileList, TheNoticeShowsOnTheFirstTwoVisits) {
    temp.writeSettings({});
    int notices = 0;
    for (int visit = 0; visit < 3; ++visit) {
        page = std::make_shared<QVAXSettingProfileListController>();
        show(page);
        if (auto shown = alert()) {
            EXPECT_EQ(shown->title(), "Profiles");
            ++notices;
            answerAlert(0);
        }
    }
    EXPECT_EQ(notices, 2);
}
