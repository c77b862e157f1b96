#include "settings/toolkit/SKLocalization.h"

std::string SKLocalizedString(const std::shared_ptr<preferences::NSBundle>& bundle, const std::string& key) {
    std::string text = bundle ? bundle->localizedStringForKey(key, key) : key;
    return text.empty() ? key : text;
}

std::string SKLocalizedString(const preferences::PSListController& page, const std::string& key) {
    return SKLocalizedString(page.bundle(), key);
}
