#include "settings/pages/NotSavedAlert.h"

#include "platform/preferences/PSListController.h"
#include "settings/toolkit/SKLocalization.h"

namespace NotSavedAlert {

std::shared_ptr<uikit::UIAlertView> show(const preferences::PSListController& page, const std::string& messageKey,
                                         const std::string& reason) {
    std::string message = SKLocalizedString(page, messageKey);
    if (!reason.empty()) message += "\n\n" + reason;
    auto alert = std::make_shared<uikit::UIAlertView>(SKLocalizedString(page, "NOT_SAVED"), std::move(message),
                                                      std::weak_ptr<uikit::UIAlertViewDelegate>{}, std::nullopt,
                                                      std::vector<std::string>{SKLocalizedString(page, "OK")});
    alert->show();
    return alert;
}

}  // namespace NotSavedAlert
