#pragma once
// Every key the preference bundle reads or writes, with the default its pages
// show while the key is absent from the settings file.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/PlistValue.h"

namespace KeyCatalogue {

enum class Kind { Boolean, Number, String, Color, Counter };
enum class ProfileMembership { None, Color, Other, OtherTemplateOnly };

struct Entry {
    std::string key;
    Kind kind;
    std::optional<foundation::PlistValue> pageDefault;  // nullopt: absent, read as 0
    std::string writtenFrom;
    ProfileMembership profile;
    // The smallest and largest value the pages offer, for a number.
    std::optional<std::pair<double, double>> range = std::nullopt;
};

const std::vector<Entry>& entries();
const Entry* entryForKey(const std::string& key);

}  // namespace KeyCatalogue
