#pragma once
// URLs as text that was checked: only characters a URL may hold, well-formed
// percent escapes, at most one fragment.

#include <optional>
#include <string>

namespace uikit {

class NSURL {
public:
    // nullopt for text that is not a valid URL (spaces, non-ASCII, "%zz", ...).
    static std::optional<NSURL> URLWithString(const std::string& text);

    const std::string& absoluteString() const { return text_; }
    // Lower-case scheme without the colon; empty for a relative URL.
    std::string scheme() const;

private:
    explicit NSURL(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// Percent-encodes every byte but the unreserved characters (A-Z a-z 0-9 - . _ ~)
// and those in `alsoAllowed`, so an inserted text can neither break a URL nor
// add fields to it.
std::string percentEncode(const std::string& text, const std::string& alsoAllowed = {});

}  // namespace uikit
