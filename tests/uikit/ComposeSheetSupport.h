#pragma once
// A window with a page that records its appearance callbacks, a recording
// URL opener in place of the desktop's, and taps on a sheet's bar buttons.

#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/services/ComposeSheet.h"
#include "platform/uikit/services/URLOpener.h"
#include "tests/uikit/UIKitTestSupport.h"

namespace uikit::test {

struct RecordingPage : UIViewController {
    std::vector<std::string> calls;
    void viewWillAppear(bool) override { calls.push_back("willAppear"); }
    void viewDidAppear(bool) override { calls.push_back("didAppear"); }
    void viewWillDisappear(bool) override { calls.push_back("willDisappear"); }
    void viewDidDisappear(bool) override { calls.push_back("didDisappear"); }
};

// Hands nothing over, as when the handler vanished after the sheet came up.
struct RefusingURLOpener : URLOpener {
    bool openURL(const NSURL&) override { return false; }
    bool canOpenScheme(const std::string&) override { return true; }
};

class SheetTest : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 480});
    OffscreenScreen screen{window};
    std::shared_ptr<RecordingPage> page = std::make_shared<RecordingPage>();
    std::shared_ptr<RecordingURLOpener> opener;

    void SetUp() override;
    void TearDown() override;
    void useOpener(std::set<std::string> schemes);
    void tap(const UIViewPtr& view);
    size_t overlayCount() const { return window->overlayRoot()->subviews().size(); }
};

// Percent escapes undone.
std::string percentDecode(const std::string& text);

}  // namespace uikit::test
