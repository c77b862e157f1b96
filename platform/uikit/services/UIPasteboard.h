#pragma once
// The general pasteboard's string. Kept in memory unless a screen plugs in
// the desktop clipboard as the back end.

#include <memory>
#include <optional>
#include <string>

namespace uikit {

class UIPasteboardBackend {
public:
    virtual ~UIPasteboardBackend() = default;
    virtual std::optional<std::string> string() = 0;
    virtual void setString(const std::optional<std::string>& text) = 0;
};

class UIPasteboard {
public:
    static UIPasteboard& generalPasteboard();

    std::optional<std::string> string() const;
    void setString(const std::optional<std::string>& text);
    // nullptr: back to the in-memory store (empty).
    void setBackend(std::shared_ptr<UIPasteboardBackend> backend);

private:
    UIPasteboard();
    std::shared_ptr<UIPasteboardBackend> backend_;
};

}  // namespace uikit
