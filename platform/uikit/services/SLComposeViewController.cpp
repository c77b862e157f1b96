#include "platform/uikit/services/SLComposeViewController.h"

#include "platform/foundation/Log.h"
#include "platform/uikit/navigation/UIApplication.h"

namespace uikit {
namespace {

struct Service {
    const std::string& type;
    const char* title;
    const char* intent;  // the post's text is appended, encoded
};

const Service* serviceFor(const std::string& type) {
    static const Service services[] = {{SLServiceTypeTwitter, "Twitter", "https://twitter.com/intent/tweet?text="}};
    for (const Service& s : services)
        if (s.type == type) return &s;
    return nullptr;
}

bool hasVisibleText(const std::string& text) { return text.find_first_not_of(" \t\n") != std::string::npos; }

}  // namespace

SLComposeViewController::SLComposeViewController(std::string serviceType, std::string title)
    : ComposeSheet(std::move(title), "Post"), serviceType_(std::move(serviceType)) {
    textView_->setFont(UIFont::systemFontOfSize(17));
    setActionEnabled(false);
}

std::shared_ptr<SLComposeViewController> SLComposeViewController::composeViewControllerForServiceType(
    const std::string& serviceType) {
    const Service* service = serviceFor(serviceType);
    if (!service) return nullptr;
    return std::shared_ptr<SLComposeViewController>(new SLComposeViewController(serviceType, service->title));
}

std::optional<std::string> SLComposeViewController::webIntentAddress(const std::string& serviceType,
                                                                     const std::string& text) {
    const Service* service = serviceFor(serviceType);
    if (!service) return std::nullopt;
    return service->intent + percentEncode(text);
}

bool SLComposeViewController::isAvailableForServiceType(const std::string& serviceType) {
    const auto address = webIntentAddress(serviceType, "");
    const auto url = address ? NSURL::URLWithString(*address) : std::nullopt;
    return url && UIApplication::sharedApplication().canOpenURL(*url);
}

bool SLComposeViewController::setInitialText(const std::string& text) {
    if (isPresented()) return false;
    textView_->setText(text);
    textChanged();
    return true;
}

bool SLComposeViewController::canBePresented() {
    if (isAvailableForServiceType(serviceType_)) return true;
    foundation::logLine("uikit: nothing opens the " + sheetTitle() + " web intent; the share sheet is not shown");
    return false;
}

void SLComposeViewController::buildContent(UIView& content) {
    const std::weak_ptr<SLComposeViewController> weak =
        std::static_pointer_cast<SLComposeViewController>(shared_from_this());
    textView_->addTarget(
        [weak](UIControl&) {
            if (auto sheet = weak.lock()) sheet->textChanged();
        },
        UIControlEventEditingChanged);
    content.addSubview(textView_);
}

void SLComposeViewController::textChanged() { setActionEnabled(hasVisibleText(textView_->text())); }

void SLComposeViewController::layoutContent(const CGRect& bounds) { textView_->setFrame(CGRectInset(bounds, 6, 2)); }

double SLComposeViewController::preferredContentHeight(double) const { return 150; }

void SLComposeViewController::didCancel() {
    if (completion_) completion_(SLComposeViewControllerResult::Cancelled);
}

void SLComposeViewController::didPerformAction() {
    const auto url = NSURL::URLWithString(*webIntentAddress(serviceType_, text()));
    const bool handedOver = url && UIApplication::sharedApplication().openURL(*url);
    if (!handedOver) foundation::logLine("uikit: the " + sheetTitle() + " post could not be handed to a browser");
    if (completion_)
        completion_(handedOver ? SLComposeViewControllerResult::Done : SLComposeViewControllerResult::Cancelled);
}

}  // namespace uikit
