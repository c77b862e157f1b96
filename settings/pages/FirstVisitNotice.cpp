#include "settings/pages/FirstVisitNotice.h"

#include <cstdint>

#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Paths.h"
#include "settings/model/PreferenceStore.h"

namespace FirstVisitNotice {

std::shared_ptr<uikit::UIAlertView> showIfDue(const std::string& counterKey, const Texts& texts,
                                              std::weak_ptr<uikit::UIAlertViewDelegate> delegate) {
    const std::string path = foundation::settingsFilePath();
    const auto stored = getPreferenceValueForKey(path, counterKey);
    const std::int64_t visits = stored ? foundation::intValue(&*stored) : 0;
    if (visits > 1) return nullptr;
    auto alert = std::make_shared<uikit::UIAlertView>(texts.title, texts.message, std::move(delegate), std::nullopt,
                                                      std::vector<std::string>{texts.button});
    alert->show();
    setPreferenceValueForKey(path, counterKey, foundation::PlistValue(visits + 1));
    return alert;
}

}  // namespace FirstVisitNotice
