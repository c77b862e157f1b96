#pragma once
// A page's texts: each key looked up in the page's bundle, the key itself when
// the bundle has no text for it.

#include <string>

#include "platform/preferences/PSListController.h"

std::string SKLocalizedString(const preferences::PSListController& page, const std::string& key);
