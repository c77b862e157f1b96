#include <filesystem>

#include "common/ThemeSignature.h"
#include "engine/EngineDefaults.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Paths.h"
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

    const std::string path = foundation::themeFolderPath() + name + ".js";
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return fallBack();

    _script = foundation::readUTF8File(path);
    // An unreadable, too short or too long file switches the engine off
    // without trying the built-in theme. No theme needs a mebibyte.
    if (!_script || foundation::utf16Length(*_script) <= 99 || _script->size() > (size_t(1) << 20)) {
        _enabled = false;
        return;
    }
    _themeType = typeForScript(*_script);
    if (_themeType == 0) fallBack();
}
