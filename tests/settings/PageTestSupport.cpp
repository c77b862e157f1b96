#include "tests/settings/PageTestSupport.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/notify/RunLoop.h"
#include "platform/preferences/NSBundle.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/views/UIClock.h"

namespace fs = std::filesystem;
using namespace uikit;

namespace pagetest {

ChangeLog::ChangeLog(const std::string& root, const std::string& notifyFolder)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    rootWatch_ = ::inotify_add_watch(fd_, root.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
    notifyWatch_ = ::inotify_add_watch(fd_, notifyFolder.c_str(), IN_CLOSE_WRITE);
}

ChangeLog::~ChangeLog() {
    if (fd_ >= 0) ::close(fd_);
}

std::vector<std::string> ChangeLog::take() {
    std::vector<std::string> seen;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            const std::string name = event->len ? event->name : "";
            if (event->wd == notifyWatch_) seen.push_back("post");
            // Atomic writes land by rename; their temporary files are not the change.
            else if (event->wd == rootWatch_ && (event->mask & IN_MOVED_TO)) seen.push_back("write:" + name);
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return seen;
}

PageTest::PageTest() {
    std::string pattern = (fs::temp_directory_path() / "ampora-notify-XXXXXX").string();
    notifyFolder = ::mkdtemp(pattern.data());
    ::setenv("AMPORA_NOTIFY_DIR", notifyFolder.c_str(), 1);
}

PageTest::~PageTest() {
    ::unsetenv("AMPORA_NOTIFY_DIR");
    std::error_code error;
    fs::remove_all(notifyFolder, error);
}

void PageTest::SetUp() {
    UIKitTest::SetUp();
    static auto bundle = preferences::NSBundle::bundleWithPath(std::string(AMPORA_SOURCE_DIR) + "/settings/bundle");
    for (const char* name :
         {"QVAXSettingsMainController", "QVAXSettingsController", "QVHeaderCell", "SKTintedListController",
          "SKListItemsController", "SKSpecifierParser", "QVAXSettingThemeListController",
          "QVAXSettingSecondaryThemeListController", "QVAXSettingProfileListController",
          "QVAXSettingsOptionsController", "QVAXSettingsThemeController", "QVAXThemeCell",
          "QVAXSettingsColorOptionsController", "QVColorCell"})
        preferences::NSBundle::setBundleForClass(name, bundle);
    screen = std::make_shared<OffscreenScreen>(window);
}

void PageTest::TearDown() {
    while (auto shown = UIAlertView::visibleAlert()) shown->dismissWithClickedButtonIndex(0, false);
    window->setRootViewController(nullptr);
    nav.reset();
    UIKitTest::TearDown();
}

void PageTest::installShippedThemes() const {
    for (const char* name : {"Ampora Connect.js", "Ampora LBI.js"})
        fs::copy_file(std::string(AMPORA_SOURCE_DIR) + "/themes/" + name, foundation::themeFolderPath() + name,
                      fs::copy_options::overwrite_existing);
}

void PageTest::show(const UIViewControllerPtr& root) {
    nav = UINavigationController::withRootViewController(root);
    window->setRootViewController(nav);
    settle();
}

void PageTest::settle() {
    UIClock::shared().advance(UINavigationController::kTransitionSeconds + 0.3);
    OffscreenScreen::runPendingBlocks();
    screen->render(1);  // lays out what is marked, as a frame on screen would
    // What other threads draw (previews, the color map) lands, as it would while a person looks.
    notify::RunLoop::main().letBackgroundWorkLand(std::chrono::seconds(20));
    OffscreenScreen::runPendingBlocks();
    screen->render(1);
}

bool PageTest::tapRow(preferences::PSListController& page, const std::string& text) {
    UITableView* table = page.table();
    for (const auto& cell : table->visibleCells())
        if (cell->textLabel()->text() == text) {
            auto path = table->indexPathForCell(cell.get());
            table->selectRowAtIndexPath(*path, false);
            table->delegate()->didSelectRowAtIndexPath(*table, *path);
            settle();
            return true;
        }
    return false;
}

preferences::PSTableCellPtr PageTest::cellFor(preferences::PSListController& page, const std::string& id) {
    auto path = page.indexPathForSpecifier(page.specifierForID(id));
    return path ? std::dynamic_pointer_cast<preferences::PSTableCell>(page.table()->cellForRowAtIndexPath(*path))
                : nullptr;
}

std::shared_ptr<UIAlertView> PageTest::alert() { return UIAlertView::visibleAlert(); }

void PageTest::answerAlert(long index) {
    auto shown = alert();
    ASSERT_TRUE(shown) << "no alert to answer";
    shown->clickButtonAtIndex(index);
    settle();
}

void PageTest::shot(const std::string& name) {
    const char* folder = std::getenv("AMPORA_SHOTS");
    if (folder && *folder) screen->writePNG(std::string(folder) + "/" + name + ".png", 2);
}

}  // namespace pagetest
