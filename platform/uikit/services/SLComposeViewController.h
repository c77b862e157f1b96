#pragma once
// The share sheet of a social service. On the desktop a post goes through the
// service's web intent address in the browser, so the service is available
// when some handler opens that address. Presented while unavailable, the sheet
// logs why and shows nothing.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/controls/UITextView.h"
#include "platform/uikit/services/ComposeSheet.h"

namespace uikit {

inline const std::string SLServiceTypeTwitter = "com.apple.social.twitter";

enum class SLComposeViewControllerResult { Cancelled, Done };

class SLComposeViewController : public ComposeSheet {
public:
    using CompletionHandler = std::function<void(SLComposeViewControllerResult)>;

    // nullptr for a service this desktop knows no web intent for.
    static std::shared_ptr<SLComposeViewController> composeViewControllerForServiceType(const std::string& serviceType);
    static bool isAvailableForServiceType(const std::string& serviceType);

    const std::string& serviceType() const { return serviceType_; }
    // False, changing nothing, once the sheet is on screen.
    bool setInitialText(const std::string& text);
    // What the sheet holds now, with the user's edits.
    const std::string& text() const { return textView_->text(); }
    const UITextViewPtr& textView() const { return textView_; }
    // Told Done after a post was handed to the browser, Cancelled otherwise.
    void setCompletionHandler(CompletionHandler handler) { completion_ = std::move(handler); }

    // The address a post of `text` opens.
    static std::optional<std::string> webIntentAddress(const std::string& serviceType, const std::string& text);

protected:
    bool canBePresented() override;
    void buildContent(UIView& content) override;
    void layoutContent(const CGRect& bounds) override;
    double preferredContentHeight(double width) const override;
    std::vector<UIResponder*> fields() const override { return {textView_.get()}; }
    void didCancel() override;
    void didPerformAction() override;

private:
    SLComposeViewController(std::string serviceType, std::string title);
    void textChanged();

    std::string serviceType_;
    UITextViewPtr textView_ = std::make_shared<UITextView>();
    CompletionHandler completion_;
};

using SLComposeViewControllerPtr = std::shared_ptr<SLComposeViewController>;

}  // namespace uikit
