// The credits page in a window of its own: the developer's person row, what
// its rows open through a recording URL opener, the heart's share sheet, and
// person rows that answer little or nothing.
#include "platform/preferences/NSBundle.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/services/SLComposeViewController.h"
#include "platform/uikit/services/URLOpener.h"
#include "platform/uikit/views/UIDevice.h"
#include "settings/pages/QVAXCreditsController.h"
#include "settings/pages/QVAXSettingsController.h"
#include "settings/pages/QVDeveloperCell.h"
#include "tests/settings/PageTestSupport.h"

using namespace preferences;
using namespace uikit;

namespace {

class CreditsPage : public pagetest::PageTest {
protected:
    std::shared_ptr<QVAXCreditsController> page;
    std::shared_ptr<RecordingURLOpener> opener;

    void SetUp() override {
        PageTest::SetUp();
        auto bundle = NSBundle::bundleForClass("SKTintedListController");
        for (const char* name : {"QVAXCreditsController", "QVDeveloperCell", "TestKeyedPersonCell"})
            NSBundle::setBundleForClass(name, bundle);
    }
    void TearDown() override {
        setSharedURLOpener(nullptr);
        PageTest::TearDown();
    }
    void open(std::set<std::string> openableSchemes) {
        opener = std::make_shared<RecordingURLOpener>(std::move(openableSchemes));
        setSharedURLOpener(opener);
        page = std::make_shared<QVAXCreditsController>();
        show(page);
    }
    NSIndexPath developerRow() { return *page->indexPathForSpecifier(page->specifiers().at(1)); }
    std::shared_ptr<QVDeveloperCell> developerCell() {
        return std::dynamic_pointer_cast<QVDeveloperCell>(page->table()->cellForRowAtIndexPath(developerRow()));
    }
    void tapDeveloper() {
        page->table()->delegate()->didSelectRowAtIndexPath(*page->table(), developerRow());
        settle();
    }
};

// Person rows for the edge cases: one that answers nothing, one whose texts are
// keys of its bundle, one whose picture is missing.
template <class Self>
struct NamedCell : SKPersonCell {
    runtime::Class* objcClass() const override {
        static runtime::Class* cls = &runtime::defineClass<Self>(Self::kName, SKPersonCell::staticClass());
        return cls;
    }
};
struct NobodyCell : NamedCell<NobodyCell> {
    static constexpr const char* kName = "TestNobodyCell";
};
struct KeyedPersonCell : NamedCell<KeyedPersonCell> {
    static constexpr const char* kName = "TestKeyedPersonCell";
    std::string name() const override { return "DEV_SOLE"; }
    std::string personDescription() const override { return "DEV_O_FOOTER"; }
    std::string imageName() const override { return "NoSuchPicture.png"; }
};

const std::string kIntent = "https://twitter.com/intent/tweet?text=";

}  // namespace

TEST_F(CreditsPage, TheDeveloperRowShowsPictureNameDescriptionAndBadge) {
    open({"https"});
    EXPECT_EQ(page->title(), "Credits");
    EXPECT_EQ(page->table()->delegate()->heightForRowAtIndexPath(*page->table(), developerRow()), 100.0);
    auto cell = developerCell();
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->frame().size.height, 100);

    EXPECT_EQ(cell->pictureView()->frame(), CGRectMake(9, 18, 65, 65));
    ASSERT_TRUE(cell->pictureView()->image());
    EXPECT_EQ(cell->pictureView()->image()->width(), 65);

    EXPECT_EQ(cell->nameLabel()->text(), "Kelvary Dev");
    EXPECT_EQ(cell->nameLabel()->font()->pointSize(), 21);
    EXPECT_EQ(cell->nameLabel()->frame().origin, (CGPoint{84, 18}));
    EXPECT_EQ(cell->descriptionLabel()->text(), "isDeveloper && isDesigner // == YES");
    EXPECT_EQ(cell->descriptionLabel()->font()->pointSize(), 13);
    EXPECT_EQ(cell->descriptionLabel()->frame().origin, (CGPoint{84, 42}));
    EXPECT_NEAR(cell->descriptionLabel()->textColor().red(), 115 / 255.0, 1e-6);
    EXPECT_EQ(cell->descriptionLabel()->textColor().red(), cell->descriptionLabel()->textColor().blue());
    EXPECT_EQ(cell->twitterHandle(), "kelvaryDev");

    auto badge = std::dynamic_pointer_cast<UIImageView>(cell->accessoryView());
    ASSERT_TRUE(badge);
    EXPECT_TRUE(badge->image());
    EXPECT_TRUE(badge->superview()) << "the badge is shown, not only set";

    EXPECT_EQ(page->titleForHeaderInSection(*page->table(), 0), "Developer");
    EXPECT_EQ(page->titleForHeaderInSection(*page->table(), 1), "With Thanks To");
    EXPECT_EQ(page->titleForFooterInSection(*page->table(), 1), "Thank you for helping make Ampora.");
    EXPECT_TRUE(cellFor(*page, "Donate"));
    EXPECT_TRUE(cellFor(*page, QVAXCreditsController::kOtherContributor));
    EXPECT_EQ(nav->navigationBar()->tintColor(), QVAXSettingsController::kPaneColor);
}

TEST_F(CreditsPage, OnATabletTheNameIsLargerAndLight) {
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Pad);
    open({"https"});
    EXPECT_EQ(developerCell()->nameLabel()->font()->pointSize(), 30);
    EXPECT_EQ(developerCell()->nameLabel()->font()->fontName(), UIFont::fontWithName("Helvetica Light", 30)->fontName());
    EXPECT_EQ(developerCell()->descriptionLabel()->font()->pointSize(), 13);
}

TEST_F(CreditsPage, TheDeveloperOpensInTheFirstInstalledClientElseOnTheWeb) {
    open({"https", "twitter", "tweetbot"});
    tapDeveloper();
    EXPECT_EQ(opener->opened(), std::vector<std::string>{"tweetbot:///user_profile/kelvaryDev"});

    open({"https", "twitter"});
    tapDeveloper();
    EXPECT_EQ(opener->opened(), std::vector<std::string>{"twitter://user?screen_name=kelvaryDev"});

    open({"https"});
    tapDeveloper();
    EXPECT_EQ(opener->opened(), std::vector<std::string>{"https://twitter.com/kelvaryDev"});
    EXPECT_FALSE(page->presentedViewController());
}

TEST_F(CreditsPage, DonateOpensTheDonationPage) {
    open({"https"});
    ASSERT_TRUE(tapRow(*page, "Donate"));
    EXPECT_EQ(opener->opened(), std::vector<std::string>{QVAXCreditsController::kDonationAddress});
    // The contributor's row is text, not a link.
    ASSERT_TRUE(tapRow(*page, QVAXCreditsController::kOtherContributor));
    EXPECT_EQ(opener->opened().size(), 1u);
    EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(CreditsPage, TheHeartPostsThePagesMessageEncodedAndTheBarKeepsItsColor) {
    open({"https"});
    page->heartButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    auto sheet = std::dynamic_pointer_cast<SLComposeViewController>(page->presentedViewController());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->text(), *page->shareMessage());
    EXPECT_NE(sheet->text().find("@kelvaryDev"), std::string::npos);
    sheet->performAction();
    settle();
    EXPECT_EQ(opener->opened(),
              std::vector<std::string>{kIntent +
                                       "I%20have%20fallen%20in%20love%20with%20%23Ampora%21%20Thank%20you%20%40kelvaryDev%20"
                                       "for%20creating%20it%2C%20I%20can%27t%20wait%20for%20your%20next%20creation%21"});
    EXPECT_FALSE(page->presentedViewController());
    EXPECT_EQ(nav->navigationBar()->tintColor(), QVAXSettingsController::kPaneColor);
}

TEST_F(CreditsPage, WithNothingToPostThroughTheHeartShowsNothing) {
    open({});
    page->heartButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    settle();
    EXPECT_FALSE(page->presentedViewController());
    EXPECT_TRUE(opener->opened().empty());
}

TEST(PersonCell, APersonWhoAnswersNothingShowsEmptyLabelsAndNoPicture) {
    auto cell = std::make_shared<NobodyCell>();
    cell->initPersonViews();
    EXPECT_EQ(cell->nameLabel()->text(), "");
    EXPECT_EQ(cell->descriptionLabel()->text(), "");
    EXPECT_FALSE(cell->pictureView()->image());
    EXPECT_EQ(cell->pictureView()->frame(), SKPersonCell::kPictureFrame);
}

TEST_F(CreditsPage, APersonsTextsComeFromTheBundleOfItsClassBeforeItHasASuperview) {
    auto cell = std::make_shared<KeyedPersonCell>();
    cell->setSpecifier(PSSpecifier::preferenceSpecifierNamed("", {}, "", "", nullptr, PSLinkCell, nullptr));
    EXPECT_FALSE(cell->superview());
    EXPECT_EQ(cell->nameLabel()->text(), "Developer");
    EXPECT_EQ(cell->descriptionLabel()->text(), "Thank you for helping make Ampora.");
    EXPECT_FALSE(cell->pictureView()->image()) << "a missing picture leaves the view empty";
    // Made once: a second binding adds no second set of views.
    const size_t views = cell->subviews().size();
    cell->setSpecifier(cell->specifier());
    EXPECT_EQ(cell->subviews().size(), views);
}
