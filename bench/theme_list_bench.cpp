// Opening the theme list from the main page: time from the tap to the first
// frame drawn, previews included, the time of a frame while scrolling the list,
// and the process's peak memory. Three theme folders:
//   20 copies of the shipped themes      targets: first frame < 300 ms, scroll < 16 ms
//   200 themes of just under 1 MiB       targets: first frame < 60 ms, peak < 150 MB
//   20 themes that never return          targets: first frame < 100 ms, scroll < 16 ms
//   theme_list_bench [shipped|large|hostile]   (all three when none is named)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "bench/MedianTime.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UIClock.h"
#include "settings/pages/QVAXSettingThemeListController.h"
#include "settings/pages/QVAXSettingsMainController.h"

namespace fs = std::filesystem;
using namespace uikit;

namespace {

void settle(OffscreenScreen& screen) {
    UIClock::shared().advance(UINavigationController::kTransitionSeconds + 0.1);
    OffscreenScreen::runPendingBlocks();
    screen.render(2);
}

double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
    return 0;
}

struct Folder {
    const char* name;
    int themes;
    int openRounds;
    std::function<std::string(int)> script;  // the i-th theme's text
};

std::string shipped(int i) {
    std::ifstream file(std::string(AMPORA_SHIPPED_THEMES) + (i % 2 ? "/Ampora LBI.js" : "/Ampora Connect.js"));
    return {std::istreambuf_iterator<char>(file), {}};
}

// A working theme padded with a comment to just under the 1 MiB a theme may have.
std::string large(int i) {
    std::string script = shipped(i);
    const size_t end = script.rfind('}');
    script.insert(end, "/*" + std::string((1 << 20) - 4096 - script.size(), 'x') + "*/");
    return script;
}

std::string hostile(int) {
    return "(height, level, charging, low, color) { for (;;) {} /* never returns; padded past the shortest a "
           "theme may be */ }";
}

int measure(const Folder& folder) {
    std::string pattern = (fs::temp_directory_path() / "ampora-bench-XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    ::setenv("AMPORA_PREFERENCES", root.c_str(), 1);
    fs::create_directories(foundation::profilesFolderPath());
    // The first-visit notice is not what is measured.
    foundation::writeDictionaryToFile({{"viewedTP", foundation::PlistValue(2)}}, foundation::settingsFilePath());
    for (int i = 0; i < folder.themes; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Theme %03d.js", i);
        std::ofstream(foundation::themeFolderPath() + name, std::ios::binary) << folder.script(i);
    }

    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
    window->makeKeyAndVisible();
    OffscreenScreen screen(window);
    auto main = std::make_shared<QVAXSettingsMainController>();
    auto nav = UINavigationController::withRootViewController(main);
    window->setRootViewController(nav);
    settle(screen);
    const auto themeRow = *main->indexPathForSpecifier(main->specifierForID("THEME"));

    std::shared_ptr<QVAXSettingThemeListController> list;
    const double open = medianMicroseconds(folder.openRounds, [&](int) {
        if (list) {
            nav->popViewControllerAnimated(false);
            settle(screen);
        }
        main->didSelectRowAtIndexPath(*main->table(), themeRow);
        settle(screen);
        list = std::dynamic_pointer_cast<QVAXSettingThemeListController>(nav->topViewController());
    });
    if (!list || list->table()->numberOfRowsInSection(0) != folder.themes) {
        std::fprintf(stderr, "the theme list did not open with %d rows\n", folder.themes);
        return 1;
    }
    const double openedPeak = peakMegabytes();
    const double maxOffset = list->table()->contentSize().height - list->table()->bounds().size.height;
    const double scroll = medianMicroseconds(60, [&](int i) {
        const double y = (i % 30) * maxOffset / 30;
        list->table()->setContentOffset({0, y});
        screen.render(2);
    });
    std::printf("theme list, %d %s themes: first frame %.1f ms, scroll frame %.2f ms, peak memory %.0f MB "
                "(%.0f MB before scrolling)\n",
                folder.themes, folder.name, open / 1000, scroll / 1000, peakMegabytes(), openedPeak);
    window->setRootViewController(nullptr);
    std::error_code error;
    fs::remove_all(root, error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    UIClock::shared().setVirtual(true);
    const Folder folders[] = {
        {"shipped", 20, 7, shipped},
        {"large", 200, 3, large},
        {"hostile", 20, 1, hostile},
    };
    int failed = 0;
    for (const Folder& folder : folders)
        if (argc < 2 || !std::strcmp(argv[1], folder.name)) failed |= measure(folder);
    return failed;
}
