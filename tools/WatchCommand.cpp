// ampora watch: a theme author's loop. Every save of the theme draws it again
// in each state, rewrites the contact sheet when asked, and tells a running
// status bar when the file is the theme it shows.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "common/SettingsNotification.h"
#include "engine/QVAXManager.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/webview/WebView.h"
#include "tools/Arguments.h"
#include "tools/Command.h"
#include "tools/StateRenders.h"
#include "tools/ThemeSource.h"

namespace fs = std::filesystem;

namespace tools {
namespace {

const char* kHelp =
    "usage: ampora watch (NAME | FILE) [--sheet FILE.png] [--level N] [--scale S]\n"
    "\n"
    "Watches a theme and, at start and on every save, draws it in each state with\n"
    "the time each render took, and shows an error with its line, column and a\n"
    "caret under the source. When the file is a theme the status bar shows (the\n"
    "selected or the secondary theme) and every render succeeded, a running status\n"
    "bar is told to draw it again; a broken save leaves it on its last good picture.\n"
    "Ctrl+C ends it.\n"
    "\n"
    "  --sheet FILE.png  rewrite this contact sheet (as 'ampora sheet') on every save\n"
    "  --level N         the level of the normal, charging and low-power renders (57)\n"
    "  --scale S         pixels per point (default 2)\n";

volatile sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// The themes the status bar draws with, named as the engine names them.
bool isShownByTheStatusBar(const std::string& path) {
    const QVAXManager engine;
    std::vector<std::string> names{engine.primaryTheme()};
    if (engine.secondaryEnabled()) names.push_back(engine.secondaryTheme());
    std::error_code error;
    for (const auto& name : names)
        if (const auto shown = foundation::themeFilePath(name); shown && fs::equivalent(*shown, path, error)) return true;
    return false;
}

std::string clock() {
    char text[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
    return text;
}

struct Options {
    std::string name, path, sheet;
    int level = 57;
    double scale = 2;
};

// One round: the renders, the sheet, the status bar. True when every render gave an image.
bool drawAgain(const Options& options, webview::UIWebView& page) {
    const ThemeFile theme = themeFileAt(options.name, options.path);
    std::printf("%s  %s\n", clock().c_str(), options.path.c_str());
    if (const auto why = unusableBecause(theme)) {
        std::printf("  unusable: %s\n", why->c_str());
        std::fflush(stdout);
        return false;
    }
    std::vector<std::string> warnings;
    const int failed = printStateRenders(
        renderStates(*theme.text, QVAXManager::typeForScript(*theme.text), options.scale, page, warnings, options.level),
        *theme.text);
    for (const auto& w : warnings) std::printf("  warning: %s\n", w.c_str());
    if (!options.sheet.empty()) {
        std::fflush(stdout);
        const int sheet = sheetCommand({"--script", options.path, "--scale", std::to_string(options.scale), "-o",
                                        options.sheet});
        std::printf("  sheet: %s%s\n", options.sheet.c_str(), sheet == kSuccess ? "" : " (not every state drawn)");
    }
    if (failed == 0 && isShownByTheStatusBar(options.path)) {
        const bool posted = notify::DarwinNotifyCenter::shared().post(kSettingsChangedNotification);
        std::printf("  status bar: %s\n", posted ? "told to draw it again" : "could not be told (see the system log)");
    } else if (failed) {
        std::printf("  status bar: left on its last good picture\n");
    }
    std::fflush(stdout);
    return failed == 0;
}

}  // namespace

int watchCommand(const std::vector<std::string>& argv) {
    Arguments args(argv);
    if (args.wantsHelp()) return std::fputs(kHelp, stdout), kSuccess;
    Options options;
    try {
        options.scale = args.number("--scale", 1, 4).value_or(2);
        options.level = int(args.number("--level", 0, 100).value_or(57));
        options.sheet = args.value("--sheet").value_or("");
        auto rest = args.positional();
        if (rest.size() != 1) throw UsageError("name one theme or script file");
        const ThemeFile theme = themeByNameOrFile(rest[0]);
        options.name = theme.name;
        options.path = theme.path;
    } catch (const UsageError& e) {
        return usageFailure("watch", e.what(), kHelp);
    }

    // Editors save by writing a new file and renaming it over the old one, so
    // the folder is watched, not the file.
    const fs::path file(options.path);
    const std::string folder = file.parent_path().empty() ? "." : file.parent_path().string();
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0 || ::inotify_add_watch(fd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE) < 0) {
        std::fprintf(stderr, "ampora watch: cannot watch %s: %s\n", folder.c_str(), std::strerror(errno));
        return kFailure;
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;  // no SA_RESTART: poll returns at once
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    webview::UIWebView page;
    drawAgain(options, page);
    std::printf("watching %s (Ctrl+C ends)\n", options.path.c_str());
    std::fflush(stdout);
    const std::string wanted = file.filename().string();
    alignas(inotify_event) char buffer[16 * 1024];
    while (!interrupted) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, -1) <= 0) continue;
        bool saved = false;
        // A save is several events (create, write, close, rename); a short
        // quiet spell after the first gathers them into one round.
        for (int quiet = 0; quiet < 2 && !interrupted;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                ++quiet;
                pollfd again{fd, POLLIN, 0};
                ::poll(&again, 1, 15);
                continue;
            }
            quiet = 0;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len && wanted == event->name && !(event->mask & IN_CREATE)) saved = true;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        if (saved && !interrupted) drawAgain(options, page);
    }
    ::close(fd);
    return kSuccess;
}

}  // namespace tools
