#pragma once
// The notice a page shows on its first two visits, counted in the settings file.

#include <memory>
#include <string>

#include "platform/uikit/alerts/UIAlertView.h"

namespace FirstVisitNotice {

struct Texts {
    std::string title, message, button;  // already localized
};

// Shows the notice while the counter under `counterKey` is below 2, and counts
// the visit. Without a settings file the count cannot be kept, so the notice
// shows at every visit. Returns the alert shown, or nullptr.
std::shared_ptr<uikit::UIAlertView> showIfDue(const std::string& counterKey, const Texts& texts,
                                              std::weak_ptr<uikit::UIAlertViewDelegate> delegate = {});

}  // namespace FirstVisitNotice
