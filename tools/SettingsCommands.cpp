// ampora set and ampora notify: changing settings from outside the pane.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/SettingsNotification.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/PreferenceStore.h"
#include "tools/Arguments.h"
#include "tools/Command.h"

namespace tools {
namespace {

const char* kSetHelp =
    "usage: ampora set KEY VALUE [--type bool|int|real|string]\n"
    "\n"
    "Writes one setting as the preference pages do (the settings file rewritten\n"
    "whole and atomically), then tells a running status bar to reload.\n"
    "VALUE is a boolean for true/false/yes/no, an integer or real number by its\n"
    "spelling, else a string (a theme name, a color such as #FF0000); --type overrides.\n";

const char* kNotifyHelp =
    "usage: ampora notify\n"
    "\n"
    "Tells a running status bar that the settings changed, for after editing\n"
    "the settings file by hand.\n";

std::optional<foundation::PlistValue> typed(const std::string& text, const std::string& type) {
    auto lower = text;
    for (auto& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    const bool isTrue = lower == "true" || lower == "yes", isFalse = lower == "false" || lower == "no";
    char* end = nullptr;
    errno = 0;
    const long long integer = std::strtoll(text.c_str(), &end, 10);
    const bool isInteger = !text.empty() && *end == '\0' && errno == 0;
    const double real = std::strtod(text.c_str(), &end);
    const bool isReal = !text.empty() && *end == '\0' && text.find_first_of("xXnN") == std::string::npos;
    if (type == "bool") {
        if (isTrue || isFalse) return foundation::PlistValue(isTrue);
        if (isInteger) return foundation::PlistValue(integer != 0);
        return std::nullopt;
    }
    if (type == "int") return isInteger ? std::optional(foundation::PlistValue(integer)) : std::nullopt;
    if (type == "real") return isReal ? std::optional(foundation::PlistValue(real)) : std::nullopt;
    if (type == "string") return foundation::PlistValue(text);
    if (isTrue || isFalse) return foundation::PlistValue(isTrue);
    if (isInteger) return foundation::PlistValue(integer);
    if (isReal) return foundation::PlistValue(real);
    return foundation::PlistValue(text);
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
        if (!type.empty() && type != "bool" && type != "int" && type != "real" && type != "string")
            throw UsageError("--type is bool, int, real or string, not '" + type + "'");
        const auto rest = args.positional();
        if (rest.size() != 2) throw UsageError("give a KEY and a VALUE");
        key = rest[0];
        if (key.empty()) throw UsageError("the key is empty");
        auto v = typed(rest[1], type);
        if (!v) throw UsageError("'" + rest[1] + "' is not a " + type);
        value = *v;
    } catch (const UsageError& e) {
        return usageFailure("set", e.what(), kSetHelp);
    }
    const std::string path = foundation::settingsFilePath();
    if (!PreferenceStore::rewrite(path, PreferenceStore::WhenMissing::StartEmpty,
                                  [&](foundation::PlistDictionary& settings) { settings.insert_or_assign(key, value); })) {
        std::fprintf(stderr, "ampora set: cannot write %s (does its folder exist?)\n", path.c_str());
        return kFailure;
    }
    return announce() ? kSuccess : kFailure;
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
