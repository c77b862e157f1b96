#include "settings/toolkit/SKLocalization.h"

std::string SKLocalizedString(const preferences::PSListController& page, const std::string& key) {
    auto own = page.bundle();
    std::string text = own ? own->localizedStringForKey(key, key) : key;
    return text.empty() ? key : text;
}
