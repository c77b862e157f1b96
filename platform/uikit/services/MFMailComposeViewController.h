#pragma once
// The mail sheet: recipients, subject and body the user may still edit. On
// the desktop "Send" hands the message to the mail program as a mailto: URL
// with every part percent-encoded, so mail can be sent when some handler
// takes mailto: URLs.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/controls/UITextView.h"
#include "platform/uikit/services/ComposeSheet.h"

namespace uikit {

class MFMailComposeViewController;

enum class MFMailComposeResult { Cancelled, Saved, Sent, Failed };

class MFMailComposeViewControllerDelegate {
public:
    virtual ~MFMailComposeViewControllerDelegate() = default;
    // `error` says why when the result is Failed. The sheet goes away after this
    // returns, whether or not the delegate dismisses it.
    virtual void mailComposeController(MFMailComposeViewController&, MFMailComposeResult,
                                       const std::optional<std::string>& /*error*/) {}
};

class MFMailComposeViewController : public ComposeSheet {
public:
    // Made with std::make_shared: the sheet hands out weak references to itself.
    MFMailComposeViewController();
    static bool canSendMail();

    // Held weakly.
    void setMailComposeDelegate(std::weak_ptr<MFMailComposeViewControllerDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    std::shared_ptr<MFMailComposeViewControllerDelegate> mailComposeDelegate() const { return delegate_.lock(); }

    void setToRecipients(const std::vector<std::string>& recipients);
    // The addresses in the To field now, split at "," or ";".
    std::vector<std::string> toRecipients() const;
    void setSubject(const std::string& subject);
    const std::string& subject() const { return subjectField_->text(); }
    // An HTML body travels as its text: a mailto: URL carries plain text only.
    void setMessageBody(const std::string& body, bool isHTML);
    const std::string& messageBody() const { return bodyView_->text(); }
    bool isHTML() const { return isHTML_; }

    const UITextFieldPtr& toField() const { return toField_; }
    const UITextFieldPtr& subjectField() const { return subjectField_; }
    const UITextViewPtr& bodyView() const { return bodyView_; }

    // The URL "Send" opens for what the sheet holds now.
    std::string mailtoURLString() const;

protected:
    void buildContent(UIView& content) override;
    void layoutContent(const CGRect& bounds) override;
    double preferredContentHeight(double width) const override;
    std::vector<UIResponder*> fields() const override;
    UIResponder* initialField() const override;
    void didCancel() override;
    void didPerformAction() override;

private:
    void fieldsChanged();
    void report(MFMailComposeResult result, const std::optional<std::string>& error);

    std::weak_ptr<MFMailComposeViewControllerDelegate> delegate_;
    bool isHTML_ = false;
    UITextFieldPtr toField_ = std::make_shared<UITextField>();
    UITextFieldPtr subjectField_ = std::make_shared<UITextField>();
    UITextViewPtr bodyView_ = std::make_shared<UITextView>();
    std::shared_ptr<UILabel> toLabel_, subjectLabel_;
    std::vector<UIViewPtr> separators_;
};

using MFMailComposeViewControllerPtr = std::shared_ptr<MFMailComposeViewController>;

}  // namespace uikit
