#include "platform/uikit/services/UIPasteboard.h"

namespace uikit {
namespace {

class MemoryPasteboard : public UIPasteboardBackend {
public:
    std::optional<std::string> string() override { return text_; }
    void setString(const std::optional<std::string>& text) override { text_ = text; }

private:
    std::optional<std::string> text_;
};

}  // namespace

UIPasteboard& UIPasteboard::generalPasteboard() {
    static auto* board = new UIPasteboard();
    return *board;
}

UIPasteboard::UIPasteboard() : backend_(std::make_shared<MemoryPasteboard>()) {}

std::optional<std::string> UIPasteboard::string() const { return backend_->string(); }
void UIPasteboard::setString(const std::optional<std::string>& text) { backend_->setString(text); }
void UIPasteboard::setBackend(std::shared_ptr<UIPasteboardBackend> backend) {
    backend_ = backend ? std::move(backend) : std::make_shared<MemoryPasteboard>();
}

}  // namespace uikit
