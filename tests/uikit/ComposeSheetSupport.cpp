#include "tests/uikit/ComposeSheetSupport.h"

namespace uikit::test {

void SheetTest::SetUp() {
    UIKitTest::SetUp();
    window->setRootViewController(page);
    page->calls.clear();
    useOpener({"https", "mailto"});
}

void SheetTest::TearDown() {
    if (page->presentedViewController()) page->dismissViewControllerAnimated(false);
    setSharedURLOpener(nullptr);
    UIKitTest::TearDown();
}

void SheetTest::useOpener(std::set<std::string> schemes) {
    opener = std::make_shared<RecordingURLOpener>(std::move(schemes));
    setSharedURLOpener(opener);
}

void SheetTest::tap(const UIViewPtr& view) {
    screen.render(1);
    const CGRect r = view->convertRectToView(view->bounds(), nullptr);
    screen.tap({CGRectGetMidX(r), CGRectGetMidY(r)});
}

std::string percentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace uikit::test
