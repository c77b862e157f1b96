#include "common/ThemeSignature.h"
#include "engine/EngineDefaults.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"

std::int64_t QVAXManager::typeForScript(const std::string& script) { return ThemeSignature::themeTypeForScript(script); }

void QVAXManager::setTheme(const std::string& name) {
    _theme = name;
    if (!_enabled) return;

    const bool isBuiltIn = name == EngineDefaults::primaryTheme;
    auto fallBack = [&] {
        if (isBuiltIn) _enabled = false;
        else setTheme(EngineDefaults::primaryTheme);
    };

    // A name that would leave the theme folder counts as a missing theme.
    const auto path = foundation::themeFilePath(name);
    if (!path) return fallBack();
    foundation::FileRead file = foundation::readRegularFile(*path, foundation::ReadLimit::theme);
    if (file.missing()) return fallBack();

    _script = file.ok() && foundation::isValidUTF8(file.bytes) ? std::optional(std::move(file.bytes)) : std::nullopt;
    // An unreadable or too short file switches the engine off without trying the built-in theme.
    if (!_script || foundation::utf16Length(*_script) <= 99) {
        _enabled = false;
        return;
    }
    _themeType = typeForScript(*_script);
    if (_themeType == 0) fallBack();
}
