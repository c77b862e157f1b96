#pragma once
// A row of a sectioned list: ordered by section, then row.

#include <compare>
#include <string>

namespace uikit {

class NSIndexPath {
public:
    constexpr NSIndexPath() = default;
    static constexpr NSIndexPath indexPathForRow(long row, long section) { return NSIndexPath(section, row); }

    constexpr long section() const { return section_; }
    constexpr long row() const { return row_; }

    constexpr auto operator<=>(const NSIndexPath&) const = default;
    std::string description() const { return "{" + std::to_string(section_) + ", " + std::to_string(row_) + "}"; }

private:
    constexpr NSIndexPath(long section, long row) : section_(section), row_(row) {}
    long section_ = 0;  // declared first: comparison is by section, then row
    long row_ = 0;
};

}  // namespace uikit
