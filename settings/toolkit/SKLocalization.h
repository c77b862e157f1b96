#pragma once
// A page's or cell's texts: each key looked up in a bundle, the key itself when
// the bundle has no text for it.

#include <memory>
#include <string>

#include "platform/preferences/NSBundle.h"
#include "platform/preferences/PSListController.h"

std::string SKLocalizedString(const std::shared_ptr<preferences::NSBundle>& bundle, const std::string& key);
// Through the page's bundle.
std::string SKLocalizedString(const preferences::PSListController& page, const std::string& key);
