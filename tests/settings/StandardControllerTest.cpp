// The toolkit's ready-made first page through a subclass: its eight rows, where
// its switch may store, and the support row's mail sheet.
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/services/MFMailComposeViewController.h"
#include "platform/uikit/services/URLOpener.h"
#include "settings/toolkit/SKStandardController.h"
#include "tests/settings/PageTestSupport.h"

#include <filesystem>

using foundation::PlistValue;
using namespace preferences;
using namespace uikit;

namespace {

class TweakPage : public SKStandardController {
public:
    std::string file, notification, subject, body;
    std::vector<std::string> addresses;

    std::string defaultsFileName() const override { return file; }
    std::string postNotification() const override { return notification; }
    std::string emailSubject() const override { return subject; }
    std::string emailBody() const override { return body; }
    std::vector<std::string> emailAddresses() const override { return addresses; }
};

class StandardPage : public pagetest::PageTest {
protected:
    std::shared_ptr<RecordingURLOpener> opener;

    void SetUp() override {
        PageTest::SetUp();
        NSBundle::setBundleForClass("SKStandardController", NSBundle::bundleForClass("SKTintedListController"));
    }
    void TearDown() override {
        setSharedURLOpener(nullptr);
        PageTest::TearDown();
    }
    void useOpener(std::set<std::string> schemes) {
        opener = std::make_shared<RecordingURLOpener>(std::move(schemes));
        setSharedURLOpener(opener);
    }
    std::shared_ptr<PSSwitchTableCell> enabledCell(PSListController& page) {
        return std::dynamic_pointer_cast<PSSwitchTableCell>(cellFor(page, "ENABLED"));
    }
    std::shared_ptr<MFMailComposeViewController> sheet() {
        return std::dynamic_pointer_cast<MFMailComposeViewController>(nav->viewControllers().front()->presentedViewController());
    }
};

}  // namespace

TEST_F(StandardPage, APageThatOverridesNothingStillGetsItsEightRows) {
    auto page = std::make_shared<SKStandardController>();
    show(page);
    const auto& rows = page->specifiers();
    ASSERT_EQ(rows.size(), 8u);
    const int types[] = {PSGroupCell, PSSwitchCell, PSGroupCell, PSLinkCell, PSGroupCell, PSLinkCell, PSGroupCell, PSLinkCell};
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]->cellType(), types[i]) << i;
    EXPECT_EQ(rows[0]->stringPropertyForKey("footerText"), "test");
    EXPECT_EQ(rows[1]->stringPropertyForKey("key"), "enabled");
    EXPECT_EQ(rows[7]->action(), "showSupportDialog");
    for (size_t i : {1, 3, 5, 7}) EXPECT_TRUE(rows[i]->propertyForKey("iconImage")) << rows[i]->name();
    EXPECT_EQ(rows[1]->name(), "Enabled");
    EXPECT_EQ(rows[7]->name(), "Support");
    // Unlike the pane's own switches, this one is on until stored otherwise.
    ASSERT_TRUE(enabledCell(*page));
    EXPECT_TRUE(enabledCell(*page)->switchControl()->isOn());
    EXPECT_EQ(enabledCell(*page)->objcClass()->name(), "SKTintedSwitchCell");
}

TEST_F(StandardPage, TheSwitchStoresInItsOwnFileOfTheRootAndAnnounces) {
    auto page = std::make_shared<TweakPage>();
    page->file = "com.example.tweak.plist";
    page->notification = "com.example.tweak.changed";
    show(page);
    pagetest::ChangeLog log(temp.root(), notifyFolder);
    ASSERT_TRUE(tapRow(*page, "Enabled"));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"write:com.example.tweak.plist", "post"}));
    EXPECT_EQ(foundation::readDictionaryFromFile(temp.root() + "/com.example.tweak.plist"),
              (foundation::PlistDictionary{{"enabled", PlistValue(false)}}));
    EXPECT_FALSE(std::filesystem::exists(foundation::settingsFilePath()));
}

TEST_F(StandardPage, ASettingsFileNameThatIsEmptyOrLeavesTheRootStoresNothing) {
    const std::string absolute = temp.root() + "/absolute.plist";
    for (const std::string& name : {std::string(), std::string("../outside.plist"), std::string("sub/inner.plist"),
                                    std::string(".."), absolute}) {
        auto page = std::make_shared<TweakPage>();
        page->file = name;
        page->notification = "com.example.tweak.changed";
        show(page);
        pagetest::ChangeLog log(temp.root(), notifyFolder);
        ASSERT_TRUE(tapRow(*page, "Enabled")) << name;
        EXPECT_TRUE(log.take().empty()) << name;
        EXPECT_TRUE(enabledCell(*page)->switchControl()->isOn()) << "the switch shows what is stored: " << name;
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(temp.root()).parent_path() / "outside.plist"));
    EXPECT_FALSE(std::filesystem::exists(temp.root() + "/sub"));
    EXPECT_FALSE(std::filesystem::exists(absolute));
}

TEST_F(StandardPage, WithoutAMailHandlerTheSupportRowDoesNothing) {
    useOpener({"https"});
    auto page = std::make_shared<TweakPage>();
    page->addresses = {"help@example.com"};
    show(page);
    ASSERT_TRUE(tapRow(*page, "Support"));
    EXPECT_FALSE(page->presentedViewController());
    EXPECT_TRUE(opener->opened().empty());
}

TEST_F(StandardPage, TheSupportSheetIsPrefilledAndGoesAfterCancelAndAfterSend) {
    useOpener({"mailto"});
    auto root = std::make_shared<TweakPage>();
    auto page = std::make_shared<TweakPage>();
    page->subject = "SUPPORT";
    page->body = "Ampora & me? yes\n100% sure";
    page->addresses = {"help@example.com", "team@example.com"};
    show(root);
    nav->pushViewController(page, false);
    settle();

    ASSERT_TRUE(tapRow(*page, "Support"));
    ASSERT_TRUE(sheet()) << "presented from the first page of the stack";
    EXPECT_EQ(sheet()->subject(), "Support");
    EXPECT_EQ(sheet()->messageBody(), "Ampora & me? yes\n100% sure");
    EXPECT_FALSE(sheet()->isHTML());
    EXPECT_EQ(sheet()->toRecipients(), (std::vector<std::string>{"help@example.com", "team@example.com"}));
    sheet()->cancel();
    settle();
    EXPECT_FALSE(sheet());
    EXPECT_TRUE(opener->opened().empty());
    EXPECT_EQ(nav->topViewController(), page) << "the page under the sheet stays";

    ASSERT_TRUE(tapRow(*page, "Support"));
    ASSERT_TRUE(sheet());
    sheet()->performAction();
    settle();
    EXPECT_FALSE(sheet());
    EXPECT_EQ(opener->opened(), std::vector<std::string>{"mailto:help@example.com,team@example.com?subject=Support"
                                                         "&body=Ampora%20%26%20me%3F%20yes%0D%0A100%25%20sure"});
}
