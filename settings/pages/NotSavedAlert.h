#pragma once
// The alert that tells a person a change of theirs was not stored, and why.

#include <memory>
#include <string>

#include "platform/uikit/alerts/UIAlertView.h"

namespace preferences {
class PSListController;
}

namespace NotSavedAlert {

// `messageKey` names the page's text of what was lost; `reason` is the store's
// own sentence, shown after it when there is one.
std::shared_ptr<uikit::UIAlertView> show(const preferences::PSListController& page, const std::string& messageKey,
                                         const std::string& reason);

}  // namespace NotSavedAlert
