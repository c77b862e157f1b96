#pragma once
// Turns a page's row dictionaries into rows bound to the page.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/preferences/PSSpecifier.h"

class SKSpecifierParser {
public:
    // The cell type a "cell" string names; a group for anything else, nothing included.
    static int PSCellTypeFromString(const std::optional<std::string>& cell);

    // One row per dictionary, in order, each with `target` as its target.
    static std::vector<preferences::PSSpecifierPtr> specifiersFromArray(
        const std::vector<preferences::SpecifierDictionary>& array, const std::shared_ptr<runtime::NSObject>& target);
};
