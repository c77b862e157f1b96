#include "engine/QVAXManager.h"

#include "engine/EngineDefaults.h"
#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/webview/WebView.h"

using namespace foundation;

QVAXManager& QVAXManager::sharedManager() {
    // Never destroyed: the hooks may still ask for it while the process exits.
    static QVAXManager* manager = [] {
        // The theme evaluator starts while the host carries on.
        webview::UIWebView::prewarm();
        return new QVAXManager();
    }();
    return *manager;
}

QVAXManager::QVAXManager() { loadSettings(); }

void QVAXManager::loadSettings() {
    settings_ = readDictionaryFromFile(settingsFilePath());
    trayCompanion_.reset();
    const PlistDictionary* s = settings_ ? &*settings_ : nullptr;

    _enabled = boolForKey(s, "enabled");
    _primaryTheme = valueForKey(s, "theme") ? stringForKey(s, "theme").value_or("") : EngineDefaults::primaryTheme;
    _secondaryTheme =
        valueForKey(s, "secondTheme") ? stringForKey(s, "secondTheme").value_or("") : EngineDefaults::secondaryTheme;
    // After `enabled`: the script is read only when switched on, and may switch the engine off.
    setTheme(_primaryTheme);
    _usingSecondary = false;
    _secondaryEnabled = boolForKey(s, "useSecondTheme");
    if (_secondaryEnabled) _secondaryLimit = intForKey(s, "secondThemeLimit", EngineDefaults::secondaryLimit);
    _flipY = boolForKey(s, "flipY");
    _flipX = boolForKey(s, "flipX");
    _flipSecondaryY = boolForKey(s, "flipYSecondary");
    _flipSecondaryX = boolForKey(s, "flipXSecondary");
    setShowChargeSymbol(boolForKey(s, "chargeSym"));
    _ignoreCharge = boolForKey(s, "ignoreCC");
    _useCustomLevel = boolForKey(s, "cpe");
    _customLevel = intForKey(s, "customLevel");
}

std::int32_t QVAXManager::lowLevel() const {
    return intForKey(settings_ ? &*settings_ : nullptr, "lowLevel", EngineDefaults::lowLevel);
}
