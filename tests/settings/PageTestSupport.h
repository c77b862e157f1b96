#pragma once
// What the page tests share: a preferences root and notification folder of
// their own, a window with a navigation stack, the source bundle for every
// page class, and a log of settings writes and posts in the order they happened.

#include <memory>
#include <string>
#include <vector>

#include "platform/preferences/PSListController.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "tests/support/TempPreferences.h"
#include "tests/uikit/UIKitTestSupport.h"

namespace pagetest {

// Files written into the preferences root ("write:<name>") and notifications
// posted ("post"), in order, as the kernel saw them.
class ChangeLog {
public:
    ChangeLog(const std::string& root, const std::string& notifyFolder);
    ~ChangeLog();
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    // Everything seen since the last call.
    std::vector<std::string> take();

private:
    int fd_ = -1;
    int rootWatch_ = -1, notifyWatch_ = -1;
};

class PageTest : public uikit::test::UIKitTest {
protected:
    TempPreferences temp;
    std::string notifyFolder;
    uikit::UIWindowPtr window = uikit::test::makeWindow({375, 667});
    std::shared_ptr<uikit::OffscreenScreen> screen;
    uikit::UINavigationControllerPtr nav;

    PageTest();
    ~PageTest() override;
    void SetUp() override;
    void TearDown() override;

    // Copies the shipped themes into the theme folder.
    void installShippedThemes() const;
    // Shows `root` as the first page of a fresh navigation stack.
    void show(const uikit::UIViewControllerPtr& root);
    void settle();
    // Taps the row whose text is `text` on the top page; false when no row shows it.
    bool tapRow(preferences::PSListController& page, const std::string& text);
    preferences::PSTableCellPtr cellFor(preferences::PSListController& page, const std::string& id);
    void answerAlert(long index);
    std::shared_ptr<uikit::UIAlertView> alert();
    // Writes the window as PNG when AMPORA_SHOTS names a folder (for looking at pages by eye).
    void shot(const std::string& name);
};

}  // namespace pagetest
