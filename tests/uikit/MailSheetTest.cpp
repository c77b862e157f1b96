// The mail sheet: the mailto: URL Send builds, what the delegate hears, and
// that the sheet goes away in every case.
#include "platform/uikit/services/MFMailComposeViewController.h"
#include "tests/uikit/ComposeSheetSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

struct MailRecorder : MFMailComposeViewControllerDelegate {
    std::vector<MFMailComposeResult> results;
    std::optional<std::string> error;
    bool dismissesItself = false;
    void mailComposeController(MFMailComposeViewController& sheet, MFMailComposeResult result,
                               const std::optional<std::string>& e) override {
        results.push_back(result);
        error = e;
        EXPECT_TRUE(sheet.isPresented()) << "told before the sheet goes";
        if (dismissesItself)
            if (auto presenter = sheet.presentingViewController()) presenter->dismissViewControllerAnimated(true);
    }
};

class MailSheet : public SheetTest {
protected:
    std::shared_ptr<MailRecorder> delegate = std::make_shared<MailRecorder>();

    MFMailComposeViewControllerPtr supportMail() {
        auto sheet = std::make_shared<MFMailComposeViewController>();
        sheet->setMailComposeDelegate(delegate);
        sheet->setToRecipients({"support@kelvary.dev", " second@example.com "});
        sheet->setSubject("Ampora & Settings? 100% #1");
        sheet->setMessageBody("Hi there,\nthe b\xC3\xA4ttery icon: a=1&b=2?", false);
        return sheet;
    }

    // The fields of a mailto: URL, decoded.
    static std::map<std::string, std::string> fieldsOf(const std::string& url) {
        std::map<std::string, std::string> fields;
        const size_t q = url.find('?');
        fields["to"] = percentDecode(url.substr(7, q - 7));
        for (size_t start = q + 1; q != std::string::npos && start <= url.size();) {
            size_t end = url.find('&', start);
            if (end == std::string::npos) end = url.size();
            const std::string pair = url.substr(start, end - start);
            const size_t eq = pair.find('=');
            fields[pair.substr(0, eq)] = percentDecode(pair.substr(eq + 1));
            start = end + 1;
        }
        return fields;
    }
};

}  // namespace

TEST_F(MailSheet, SendOpensAMailtoURLWithEveryPartEncoded) {
    auto sheet = supportMail();
    page->presentViewController(sheet, true);
    EXPECT_EQ(sheet->sheetTitle(), "Ampora & Settings? 100% #1");
    tap(sheet->actionButton());
    ASSERT_EQ(opener->opened().size(), 1u);
    const std::string& url = opener->opened()[0];
    EXPECT_EQ(url,
              "mailto:support@kelvary.dev,second@example.com"
              "?subject=Ampora%20%26%20Settings%3F%20100%25%20%231"
              "&body=Hi%20there%2C%0D%0Athe%20b%C3%A4ttery%20icon%3A%20a%3D1%26b%3D2%3F");
    const auto fields = fieldsOf(url);
    EXPECT_EQ(fields.size(), 3u) << "nothing injected a field";
    EXPECT_EQ(fields.at("to"), "support@kelvary.dev,second@example.com");
    EXPECT_EQ(fields.at("subject"), "Ampora & Settings? 100% #1");
    EXPECT_EQ(fields.at("body"), "Hi there,\r\nthe b\xC3\xA4ttery icon: a=1&b=2?");
    EXPECT_EQ(delegate->results, std::vector{MFMailComposeResult::Sent});
    EXPECT_FALSE(sheet->isPresented());
    EXPECT_EQ(overlayCount(), 0u);
}

TEST_F(MailSheet, AnAddressCannotAddFieldsAndEmptyPartsAreLeftOut) {
    MFMailComposeViewController sheet;
    sheet.setToRecipients({"a@b.c?cc=x@y.z&bcc=w@v.u", "", "d@e.f"});
    EXPECT_EQ(sheet.toRecipients(), (std::vector<std::string>{"a@b.c?cc=x@y.z&bcc=w@v.u", "d@e.f"}));
    EXPECT_EQ(sheet.mailtoURLString(), "mailto:a@b.c%3Fcc%3Dx@y.z%26bcc%3Dw@v.u,d@e.f");
    sheet.setToRecipients({});
    sheet.setMessageBody("only a body", true);
    EXPECT_TRUE(sheet.isHTML());
    EXPECT_EQ(sheet.mailtoURLString(), "mailto:?body=only%20a%20body");
}

TEST_F(MailSheet, TheDelegateHearsCancelAndTheSheetGoesEitherWay) {
    for (bool dismisses : {false, true}) {
        delegate->dismissesItself = dismisses;
        auto sent = supportMail();
        page->presentViewController(sent, true);
        sent->performAction();
        EXPECT_FALSE(sent->isPresented());
        auto cancelled = supportMail();
        page->presentViewController(cancelled, true);
        tap(cancelled->cancelButton());
        EXPECT_FALSE(cancelled->isPresented());
        EXPECT_EQ(overlayCount(), 0u);
    }
    EXPECT_EQ(delegate->results, (std::vector{MFMailComposeResult::Sent, MFMailComposeResult::Cancelled,
                                              MFMailComposeResult::Sent, MFMailComposeResult::Cancelled}));
    EXPECT_EQ(opener->opened().size(), 2u);
    EXPECT_TRUE(page->calls.empty()) << page->calls.front();
}

TEST_F(MailSheet, AGoneDelegateIsNotCalledAndEscapeStillCloses) {
    auto sheet = supportMail();
    page->presentViewController(sheet, true);
    delegate.reset();
    EXPECT_EQ(sheet->mailComposeDelegate(), nullptr);
    screen.pressKey(UIKey::Escape);
    EXPECT_FALSE(sheet->isPresented());
    EXPECT_TRUE(opener->opened().empty());
}

TEST_F(MailSheet, AHandOverThatFailsIsReportedAsFailed) {
    auto sheet = supportMail();
    page->presentViewController(sheet, true);
    setSharedURLOpener(std::make_shared<RefusingURLOpener>());
    sheet->performAction();
    EXPECT_EQ(delegate->results, std::vector{MFMailComposeResult::Failed});
    EXPECT_TRUE(delegate->error && !delegate->error->empty());
    EXPECT_FALSE(sheet->isPresented());
}

TEST_F(MailSheet, CanSendMailFollowsTheMailtoHandler) {
    EXPECT_TRUE(MFMailComposeViewController::canSendMail());
    useOpener({"https"});
    EXPECT_FALSE(MFMailComposeViewController::canSendMail());
}

TEST_F(MailSheet, TypingFillsTheFieldsAndSendWaitsForARecipient) {
    auto sheet = std::make_shared<MFMailComposeViewController>();
    sheet->setMailComposeDelegate(delegate);
    page->presentViewController(sheet, true);
    EXPECT_EQ(sheet->sheetTitle(), "New Message");
    EXPECT_FALSE(sheet->isActionEnabled());
    EXPECT_TRUE(sheet->toField()->isEditing()) << "no recipient yet: the sheet starts in To";
    screen.typeText("me@example.com");
    EXPECT_TRUE(sheet->isActionEnabled());
    screen.pressKey(UIKey::Tab);
    screen.typeText("Hello you");
    screen.pressKey(UIKey::Return);
    screen.typeText("Line one");
    screen.pressKey(UIKey::Return);
    screen.typeText("two");
    EXPECT_EQ(sheet->sheetTitle(), "Hello you");
    screen.pressKey(UIKey::Tab);
    EXPECT_TRUE(sheet->toField()->isEditing()) << "Tab wraps around";
    tap(sheet->actionButton());
    ASSERT_EQ(opener->opened().size(), 1u);
    EXPECT_EQ(opener->opened()[0], "mailto:me@example.com?subject=Hello%20you&body=Line%20one%0D%0Atwo");
}

TEST_F(MailSheet, APrefilledSheetStartsInTheBody) {
    auto sheet = supportMail();
    page->presentViewController(sheet, true);
    EXPECT_TRUE(sheet->bodyView()->isEditing());
    screen.pressKey(UIKey::Backspace);
    EXPECT_EQ(sheet->messageBody(), "Hi there,\nthe b\xC3\xA4ttery icon: a=1&b=2");
}
