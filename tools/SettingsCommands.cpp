// ampora get, set and notify: the settings from outside the pane.
#include <algorithm>
#include <charconv>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/SettingsNotification.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/foundation/SafeRead.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/KeyCatalogue.h"
#include "settings/model/HexColorText.h"
#include "settings/model/PreferenceStore.h"
#include "settings/pages/ThemeFolder.h"
#include "tools/Arguments.h"
#include "tools/Command.h"

namespace tools {
namespace {

const char* kSetHelp =
    "usage: ampora set [--type bool|int|real|string] [--force] [--] KEY VALUE\n"
    "\n"
    "Writes one setting as the preference pages do (the settings file rewritten\n"
    "whole and atomically), then tells a running status bar to reload.\n"
    "KEY must be a known setting and VALUE of its kind: a boolean (true, false,\n"
    "yes, no, 1, 0), a decimal number within the range the pages offer, the name\n"
    "of an installed theme, or a color such as #FF0000 (#F00 is #FF0000).\n"
    "A VALUE beginning with '-' other than a number needs '--' before KEY.\n"
    "\n"
    "  --type T   store VALUE as this kind (bool, int, real or string)\n"
    "  --force    write an unknown KEY, a VALUE of another kind, a number out of\n"
    "             range or a theme that is not installed, anyway\n"
    "\n"
    "Keys: enabled theme secondTheme useSecondTheme secondThemeLimit lowLevel flipY flipX\n"
    "      flipYSecondary flipXSecondary chargeSym ignoreCC cpe customLevel lightColor\n"
    "      darkColor baseLightColor baseDarkColor chargeColor chargeCColor lowColor lpmColor\n"
    "      useCustomCharge useCustomCC useCustomLow useCustomLPM shareMainColorEnabled\n"
    "      sharedColorAlpha passMain passBase passBaseAlpha viewedTP viewedPP\n";

const char* kGetHelp =
    "usage: ampora get [KEY]\n"
    "\n"
    "Prints one setting, or every known setting as KEY = VALUE, from the settings\n"
    "file of the preferences root. A key the file does not hold shows the value\n"
    "the pages show for it, marked \"(default)\". Keys the file holds that no page\n"
    "reads come last.\n";

const char* kNotifyHelp =
    "usage: ampora notify\n"
    "\n"
    "Tells a running status bar that the settings changed, for after editing\n"
    "the settings file by hand.\n";

std::string lowered(std::string text) {
    for (auto& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// VALUE read as `type`, or by its spelling when no type is given; nullopt when it
// is not of that type. Numbers are decimal only.
std::optional<foundation::PlistValue> typed(const std::string& text, const std::string& type) {
    const std::string lower = lowered(text);
    const bool isTrue = lower == "true" || lower == "yes", isFalse = lower == "false" || lower == "no";
    const bool isNumber = isDecimalNumber(text), isInteger = isNumber && text.find('.') == std::string::npos;
    errno = 0;
    const long long integer = isInteger ? std::strtoll(text.c_str(), nullptr, 10) : 0;
    const bool fitsInteger = isInteger && errno == 0;
    const double real = isNumber ? std::strtod(text.c_str(), nullptr) : 0;
    if (type == "bool") {
        if (isTrue || isFalse) return foundation::PlistValue(isTrue);
        if (text == "1" || text == "0") return foundation::PlistValue(text == "1");
        return std::nullopt;
    }
    if (type == "int") return fitsInteger ? std::optional(foundation::PlistValue(integer)) : std::nullopt;
    if (type == "real") return isNumber ? std::optional(foundation::PlistValue(real)) : std::nullopt;
    if (type == "string") return foundation::PlistValue(text);
    if (isTrue || isFalse) return foundation::PlistValue(isTrue);
    if (fitsInteger) return foundation::PlistValue(integer);
    if (isNumber) return foundation::PlistValue(real);
    return foundation::PlistValue(text);
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (std::tolower(a[i - 1]) != std::tolower(b[j - 1]))});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string nearestKeys(const std::string& key) {
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const auto& entry : KeyCatalogue::entries())
        ranked.emplace_back(editDistance(key, entry.key), entry.key);
    std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::string named;
    for (size_t i = 0; i < ranked.size() && i < 3; ++i) named += (i ? ", " : "") + ranked[i].second;
    return named;
}

bool isInstalledTheme(const std::string& name) {
    const auto themes = ThemeFolder::installedThemes();
    return std::find(themes.begin(), themes.end(), name) != themes.end();
}

std::string installedThemeList() {
    const auto themes = ThemeFolder::installedThemes();
    if (themes.empty()) return "there are none in " + foundation::themeFolderPath();
    std::string list;
    for (const auto& theme : themes) list += (list.empty() ? "" : ", ") + ("\"" + theme + "\"");
    return list;
}

// The value for a catalogue key, or a UsageError saying which kind the key takes.
foundation::PlistValue checkedValue(const KeyCatalogue::Entry& entry, const std::string& text, const std::string& type) {
    using Kind = KeyCatalogue::Kind;
    const auto refuse = [&](const std::string& kind) -> foundation::PlistValue {
        throw UsageError(entry.key + " takes " + kind + ", not '" + text + "' (--force writes it anyway)");
    };
    switch (entry.kind) {
    case Kind::Boolean:
        if (!type.empty() && type != "bool") refuse("a boolean (--type bool)");
        if (auto v = typed(text, "bool")) return *v;
        return refuse("a boolean: true, false, yes, no, 1 or 0");
    case Kind::Number: {
        if (type == "bool" || type == "string") refuse("a number (--type int or real)");
        auto v = typed(text, type.empty() ? "" : type);
        if (!v || !(v->asInteger() || v->asReal()))
            return refuse(type == "int" ? "a decimal integer" : "a decimal number such as 20 or 0.3");
        const double number = v->asInteger() ? double(*v->asInteger()) : *v->asReal();
        if (entry.range && (number < entry.range->first || number > entry.range->second)) {
            char range[64];
            std::snprintf(range, sizeof range, "a number from %g to %g, as the pages offer", entry.range->first,
                          entry.range->second);
            return refuse(range);
        }
        return *v;
    }
    case Kind::Counter:
        if (!type.empty() && type != "int") refuse("an integer (--type int)");
        if (auto v = typed(text, "int")) return *v;
        return refuse("a decimal integer");
    case Kind::String:
        if (!type.empty() && type != "string") refuse("a theme name (--type string)");
        if (text.empty() || !foundation::isSafeThemeName(text))
            refuse("a theme name: the name of a .js file of the theme folder, without \"/\" or \"..\"");
        if (!isInstalledTheme(text)) refuse("an installed theme: " + installedThemeList());
        return foundation::PlistValue(text);
    case Kind::Color: {
        if (!type.empty() && type != "string") refuse("a hex color (--type string)");
        auto hex = HexColorText::expanded(text);
        if (!hex) refuse(std::string("a hex color: ") + HexColorText::kExpected);
        // The long forms are stored as typed; a short form as the long form it stands for.
        const size_t digits = text.size() - (text.starts_with('#') ? 1 : 0);
        return foundation::PlistValue(digits == 6 || digits == 8 ? text : *hex);
    }
    }
    return refuse("a value");
}

// A setting as a person would type it back to `ampora set`.
std::string valueText(const foundation::PlistValue& value) {
    if (auto b = value.asBoolean()) return *b ? "true" : "false";
    if (auto i = value.asInteger()) return std::to_string(*i);
    if (auto r = value.asReal()) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, *r).ptr;
        return std::string(text, end);
    }
    if (auto s = value.asString()) return *s;
    if (value.asData()) return "<data>";
    if (value.asDate()) return "<date>";
    if (value.asArray()) return "<array>";
    if (value.asDictionary()) return "<dictionary>";
    return "<uid>";
}

std::string defaultText(const KeyCatalogue::Entry& entry) {
    return (entry.pageDefault ? valueText(*entry.pageDefault) : "0") + " (default)";
}

bool announce() {
    if (notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification)) return true;
    std::fprintf(stderr, "ampora: the settings-changed notification could not be posted (see the system log)\n");
    return false;
}

}  // namespace

int setCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kSetHelp, stdout), kSuccess;
    std::string key;
    foundation::PlistValue value;
    try {
        const std::string type = args.value("--type").value_or("");
        const bool force = args.flag("--force");
        if (!type.empty() && type != "bool" && type != "int" && type != "real" && type != "string")
            throw UsageError("--type is bool, int, real or string, not '" + type + "'");
        const auto rest = args.positional();
        if (rest.size() != 2) throw UsageError("give a KEY and a VALUE");
        key = rest[0];
        if (key.empty()) throw UsageError("the key is empty");
        const KeyCatalogue::Entry* entry = KeyCatalogue::entryForKey(key);
        if (!entry && !force)
            throw UsageError("no setting is named '" + key + "'; the nearest are " + nearestKeys(key) +
                             " (--force writes it anyway)");
        if (entry && !force) {
            value = checkedValue(*entry, rest[1], type);
        } else {
            auto v = typed(rest[1], type);
            if (!v) throw UsageError("'" + rest[1] + "' is not a " + type);
            value = *v;
        }
    } catch (const UsageError& e) {
        return usageFailure("set", e.what(), kSetHelp);
    }
    const std::string root = foundation::preferencesRoot();
    std::string problem;
    if (!foundation::createFolders(root, problem)) {
        std::fprintf(stderr, "ampora set: nothing written: %s\n", problem.c_str());
        return kFailure;
    }
    const auto result = PreferenceStore::rewrite(foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
                                                 [&](foundation::PlistDictionary& settings) { settings.insert_or_assign(key, value); });
    if (!result) {
        std::fprintf(stderr, "ampora set: %s\n", result.message.c_str());
        return kFailure;
    }
    return announce() ? kSuccess : kFailure;
}

int getCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kGetHelp, stdout), kSuccess;
    std::optional<std::string> key;
    try {
        const auto rest = args.positional();
        if (rest.size() > 1) throw UsageError("give one KEY, or none for all");
        if (!rest.empty()) key = rest[0];
    } catch (const UsageError& e) {
        return usageFailure("get", e.what(), kGetHelp);
    }
    const KeyCatalogue::Entry* entry = key ? KeyCatalogue::entryForKey(*key) : nullptr;
    const std::string path = foundation::settingsFilePath();
    const auto read = foundation::readDictionary(path);
    if (read.status == foundation::FileRead::Status::Unreadable) {
        std::fprintf(stderr, "ampora get: %s cannot be read: %s\n", path.c_str(),
                     foundation::problemClause(read.problem).c_str());
        return kFailure;
    }
    const foundation::PlistDictionary settings = read.dictionary.value_or(foundation::PlistDictionary{});
    if (key) {
        if (auto it = settings.find(*key); it != settings.end()) {
            std::printf("%s\n", valueText(it->second).c_str());
            return kSuccess;
        }
        if (!entry)
            return usageFailure("get", "no setting is named '" + *key + "'; the nearest are " + nearestKeys(*key),
                                kGetHelp);
        std::printf("%s\n", defaultText(*entry).c_str());
        return kSuccess;
    }
    for (const auto& known : KeyCatalogue::entries()) {
        auto it = settings.find(known.key);
        const std::string text = it != settings.end() ? valueText(it->second) : defaultText(known);
        std::printf("%s = %s\n", known.key.c_str(), text.c_str());
    }
    for (const auto& [name, value] : settings)
        if (!KeyCatalogue::entryForKey(name)) std::printf("%s = %s\n", name.c_str(), valueText(value).c_str());
    return kSuccess;
}

int notifyCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kNotifyHelp, stdout), kSuccess;
    try {
        if (!args.positional().empty()) throw UsageError("takes no arguments");
    } catch (const UsageError& e) {
        return usageFailure("notify", e.what(), kNotifyHelp);
    }
    return announce() ? kSuccess : kFailure;
}

}  // namespace tools
