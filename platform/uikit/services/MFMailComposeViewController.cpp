#include "platform/uikit/services/MFMailComposeViewController.h"

#include "platform/foundation/Log.h"
#include "platform/uikit/navigation/UIApplication.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {
namespace {

constexpr double kRowHeight = 44, kInset = 15;
const char* const kUntitled = "New Message";

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Mail lines end in CRLF, also inside a mailto: body.
std::string withCRLF(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

MFMailComposeViewController::MFMailComposeViewController() : ComposeSheet(kUntitled, "Send") {
    for (const auto& field : {toField_, subjectField_}) {
        field->setFont(UIFont::systemFontOfSize(15));
        field->setKeyboardType(field == toField_ ? UIKeyboardType::EmailAddress : UIKeyboardType::Default);
    }
    bodyView_->setFont(UIFont::systemFontOfSize(15));
    setActionEnabled(false);
}

bool MFMailComposeViewController::canSendMail() {
    const auto url = NSURL::URLWithString("mailto:");
    return url && UIApplication::sharedApplication().canOpenURL(*url);
}

void MFMailComposeViewController::setToRecipients(const std::vector<std::string>& recipients) {
    std::string joined;
    for (const auto& r : recipients) {
        if (trimmed(r).empty()) continue;
        joined += (joined.empty() ? "" : ", ") + trimmed(r);
    }
    toField_->setText(joined);
    fieldsChanged();
}

std::vector<std::string> MFMailComposeViewController::toRecipients() const {
    std::vector<std::string> out;
    const std::string& text = toField_->text();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(",;", start);
        if (end == std::string::npos) end = text.size();
        if (auto address = trimmed(text.substr(start, end - start)); !address.empty()) out.push_back(address);
        start = end + 1;
    }
    return out;
}

void MFMailComposeViewController::setSubject(const std::string& subject) {
    subjectField_->setText(subject);
    fieldsChanged();
}

void MFMailComposeViewController::setMessageBody(const std::string& body, bool isHTML) {
    bodyView_->setText(body);
    isHTML_ = isHTML;
}

std::string MFMailComposeViewController::mailtoURLString() const {
    std::string url = "mailto:";
    bool first = true;
    for (const auto& address : toRecipients()) {
        url += (first ? "" : ",") + percentEncode(address, "@");
        first = false;
    }
    std::string query;
    if (!subject().empty()) query += "subject=" + percentEncode(subject());
    if (!messageBody().empty()) query += (query.empty() ? "" : "&") + std::string("body=") + percentEncode(withCRLF(messageBody()));
    if (!query.empty()) url += "?" + query;
    return url;
}

void MFMailComposeViewController::fieldsChanged() {
    setSheetTitle(trimmed(subject()).empty() ? kUntitled : subject());
    setActionEnabled(!toRecipients().empty());
}

void MFMailComposeViewController::buildContent(UIView& content) {
    const std::weak_ptr<MFMailComposeViewController> weak =
        std::static_pointer_cast<MFMailComposeViewController>(shared_from_this());
    auto rowLabel = [&](const std::string& text) {
        auto label = std::make_shared<UILabel>();
        label->setText(text);
        label->setFont(UIFont::systemFontOfSize(15));
        label->setTextColor(UISystemColor::secondaryLabel);
        content.addSubview(label);
        return label;
    };
    toLabel_ = rowLabel("To:");
    subjectLabel_ = rowLabel("Subject:");
    for (const auto& field : {toField_, subjectField_}) {
        field->addTarget(
            [weak](UIControl&) {
                if (auto sheet = weak.lock()) sheet->fieldsChanged();
            },
            UIControlEventEditingChanged);
        content.addSubview(field);
    }
    content.addSubview(bodyView_);
    for (int i = 0; i < 2; ++i) {
        auto line = std::make_shared<UIView>();
        line->setBackgroundColor(UISystemColor::separator);
        content.addSubview(line);
        separators_.push_back(line);
    }
}

void MFMailComposeViewController::layoutContent(const CGRect& bounds) {
    const double width = bounds.size.width, hairline = 1 / UIScreen::mainScreen().scale();
    const double labelWidth = subjectLabel_->sizeThatFits({}).width + 6;
    const std::pair<std::shared_ptr<UILabel>, UITextFieldPtr> rows[] = {{toLabel_, toField_}, {subjectLabel_, subjectField_}};
    double y = 0;
    for (size_t i = 0; i < 2; ++i) {
        const double ownWidth = rows[i].first->sizeThatFits({}).width + 6;
        rows[i].first->setFrame(CGRectMake(kInset, y, ownWidth, kRowHeight));
        // The subject's text starts where its longer label ends; the To field right after "To:".
        const double x = kInset + (i == 0 ? ownWidth : labelWidth) - 7;
        rows[i].second->setFrame(CGRectMake(x, y, std::max(0.0, width - x - kInset), kRowHeight));
        y += kRowHeight;
        separators_[i]->setFrame(CGRectMake(kInset, y - hairline, width - kInset, hairline));
    }
    bodyView_->setFrame(CGRectMake(kInset - 5, y, std::max(0.0, width - 2 * kInset + 10), std::max(0.0, bounds.size.height - y)));
}

double MFMailComposeViewController::preferredContentHeight(double) const { return 2 * kRowHeight + 260; }

std::vector<UIResponder*> MFMailComposeViewController::fields() const {
    return {toField_.get(), subjectField_.get(), bodyView_.get()};
}

UIResponder* MFMailComposeViewController::initialField() const {
    // A sheet that already names whom to write starts in the body.
    return toRecipients().empty() ? static_cast<UIResponder*>(toField_.get()) : bodyView_.get();
}

void MFMailComposeViewController::report(MFMailComposeResult result, const std::optional<std::string>& error) {
    if (auto delegate = delegate_.lock()) delegate->mailComposeController(*this, result, error);
}

void MFMailComposeViewController::didCancel() { report(MFMailComposeResult::Cancelled, std::nullopt); }

void MFMailComposeViewController::didPerformAction() {
    const auto url = NSURL::URLWithString(mailtoURLString());
    if (url && UIApplication::sharedApplication().openURL(*url)) {
        report(MFMailComposeResult::Sent, std::nullopt);
        return;
    }
    const std::string error = url ? "no mail program took the message" : "the message does not form a mailto: URL";
    foundation::logLine("uikit: mail not sent: " + error);
    report(MFMailComposeResult::Failed, error);
}

}  // namespace uikit
