// Opening the theme list with 20 installed themes (copies of the shipped ones)
// from the main page: time from the tap to the first frame drawn, previews
// included, and the time of a frame while scrolling the list (previews are not
// rendered again). Targets: first frame under 300 ms, a scroll frame under 16 ms.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

constexpr int kThemes = 20;

void settle(OffscreenScreen& screen) {
    UIClock::shared().advance(UINavigationController::kTransitionSeconds + 0.1);
    OffscreenScreen::runPendingBlocks();
    screen.render(2);
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "ampora-bench-XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    ::setenv("AMPORA_PREFERENCES", root.c_str(), 1);
    fs::create_directories(foundation::profilesFolderPath());
    // The first-visit notice is not what is measured.
    foundation::writeDictionaryToFile({{"viewedTP", foundation::PlistValue(2)}}, foundation::settingsFilePath());
    for (int i = 0; i < kThemes; ++i) {
        const char* shipped = i % 2 ? "Ampora LBI.js" : "Ampora Connect.js";
        char name[32];
        std::snprintf(name, sizeof name, "Theme %02d.js", i);
        fs::copy_file(std::string(AMPORA_SHIPPED_THEMES) + "/" + shipped, foundation::themeFolderPath() + name);
    }

    UIClock::shared().setVirtual(true);
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
    window->makeKeyAndVisible();
    OffscreenScreen screen(window);
    auto main = std::make_shared<QVAXSettingsMainController>();
    auto nav = UINavigationController::withRootViewController(main);
    window->setRootViewController(nav);
    settle(screen);
    const auto themeRow = *main->indexPathForSpecifier(main->specifierForID("THEME"));

    std::shared_ptr<QVAXSettingThemeListController> list;
    const double open = medianMicroseconds(7, [&](int) {
        if (list) {
            nav->popViewControllerAnimated(false);
            settle(screen);
        }
        main->didSelectRowAtIndexPath(*main->table(), themeRow);
        settle(screen);
        list = std::dynamic_pointer_cast<QVAXSettingThemeListController>(nav->topViewController());
    });
    if (!list || list->table()->numberOfRowsInSection(0) != kThemes) {
        std::fprintf(stderr, "the theme list did not open with %d rows\n", kThemes);
        return 1;
    }
    const double maxOffset = list->table()->contentSize().height - list->table()->bounds().size.height;
    const double scroll = medianMicroseconds(60, [&](int i) {
        const double y = (i % 30) * maxOffset / 30;
        list->table()->setContentOffset({0, y});
        screen.render(2);
    });
    std::printf("theme list, %d themes: first frame %.1f ms (target < 300), scroll frame %.2f ms (target < 16)\n",
                kThemes, open / 1000, scroll / 1000);
    window->setRootViewController(nullptr);
    std::error_code error;
    fs::remove_all(root, error);
    return 0;
}
