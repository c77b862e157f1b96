#include "hosts/settings/OffscreenScriptDriver.h"

#include "hosts/settings/ViewTreeDump.h"
#include "hosts/settings/VisibleViews.h"
#include "platform/foundation/AtomicWrite.h"
#include "platform/notify/RunLoop.h"
#include "platform/uikit/alerts/UIAlertView.h"
#include "platform/uikit/screens/WindowActions.h"
#include "platform/uikit/tables/UITableView.h"
#include "platform/uikit/views/UIClock.h"
#include "platform/uikit/views/UIScreen.h"

namespace settingshost {

using namespace uikit;
using Kind = ScriptStep::Kind;

std::optional<std::string> writeScreenPNG(const OffscreenScreen& screen, const std::string& path, double scale) {
    const UIImagePtr image = screen.render(scale);
    std::string problem = "nothing was drawn";
    if (image && foundation::writeOutputFile(path, image->pngData(), problem)) return std::nullopt;
    return "cannot write the picture: " + problem;
}

namespace {

CGPoint centreOf(const CGRect& r) { return {CGRectGetMidX(r), CGRectGetMidY(r)}; }

template <class T>
T* ancestorOfKind(UIView* view) {
    for (; view; view = view->superview())
        if (auto* found = dynamic_cast<T*>(view)) return found;
    return nullptr;
}

}  // namespace

OffscreenScriptDriver::OffscreenScriptDriver(OffscreenScreen& screen, std::shared_ptr<preferences::NSBundle> bundle,
                                             double shotScale)
    : screen_(screen), bundle_(std::move(bundle)), shotScale_(shotScale) {}

void OffscreenScriptDriver::settle() {
    // Work of other threads (the color map, previews) lands first, as it would while a person looks.
    auto& loop = notify::RunLoop::main();
    OffscreenScreen::runPendingBlocks();
    loop.letBackgroundWorkLand(std::chrono::seconds(5));
    UIClock::shared().advance(kSettleSeconds);
    OffscreenScreen::runPendingBlocks();
    loop.letBackgroundWorkLand(std::chrono::seconds(5));
}

std::optional<std::string> OffscreenScriptDriver::perform(const ScriptStep& step) {
    auto failure = act(step);
    settle();
    return failure;
}

std::optional<std::string> OffscreenScriptDriver::act(const ScriptStep& step) {
    UIWindow& window = *screen_.window();
    const CGRect bounds = window.bounds();
    switch (step.kind) {
        case Kind::Tap:
            if (!CGRectContainsPoint(bounds, {step.x1, step.y1}))
                return "the point is outside the window of " + std::to_string(int(bounds.size.width)) + "x" +
                       std::to_string(int(bounds.size.height)) + " points";
            screen_.tap({step.x1, step.y1});
            return std::nullopt;
        case Kind::TapText: return tapText(step.text);
        case Kind::Drag: screen_.drag({step.x1, step.y1}, {step.x2, step.y2}, step.steps); return std::nullopt;
        case Kind::SwipeDelete: return swipeDelete(step.text);
        case Kind::Type: return typeText(step.text);
        case Kind::Key:
            switch (pressKeyOnWindow(window, step.key)) {
                case KeyOutcome::Close: closed_ = true; break;
                case KeyOutcome::Rotate: rotateWindow(window); break;
                case KeyOutcome::Done: break;
            }
            return std::nullopt;
        case Kind::Back:
            if (!goBack(window)) return "there is no page to go back to";
            return std::nullopt;
        case Kind::Rotate: rotateWindow(window); return std::nullopt;
        case Kind::Appearance:
            UIScreen::mainScreen().setUserInterfaceStyle(step.dark ? UIUserInterfaceStyle::Dark : UIUserInterfaceStyle::Light);
            return std::nullopt;
        case Kind::Wait:
            UIClock::shared().advance(step.milliseconds / 1000);
            OffscreenScreen::runPendingBlocks();
            return std::nullopt;
        case Kind::Shot:
            return writeScreenPNG(screen_, step.text, shotScale_);
        case Kind::Dump:
            if (!writeViewTree(window, step.text)) return "cannot write the view tree to " + step.text;
            return std::nullopt;
        case Kind::ExpectText:
            if (!findShowing(step.text, false)) return "no visible view shows " + describe(step.text);
            return std::nullopt;
    }
    return "unknown step";
}

UIView* OffscreenScriptDriver::findShowing(const std::string& text, bool hittable, CGRect* frame) const {
    const std::string localized = bundle_ ? bundle_->localizedStringForKey(text) : text;
    UIWindow& window = *screen_.window();
    for (const VisibleView& v : visibleViews(window)) {
        const std::string shown = shownText(*v.view);
        if (shown.empty() || (shown != text && shown != localized)) continue;
        if (hittable && !isHittable(window, v)) continue;
        if (frame) *frame = v.frame;
        return v.view;
    }
    return nullptr;
}

std::string OffscreenScriptDriver::describe(const std::string& text) const {
    const std::string localized = bundle_ ? bundle_->localizedStringForKey(text) : text;
    return "\"" + text + "\"" + (localized != text ? " (nor \"" + localized + "\")" : "");
}

std::optional<std::string> OffscreenScriptDriver::tapText(const std::string& text) {
    CGRect frame;
    if (!findShowing(text, true, &frame)) return "no visible view that a tap reaches shows " + describe(text);
    screen_.tap(centreOf(frame));
    return std::nullopt;
}

std::optional<std::string> OffscreenScriptDriver::swipeDelete(const std::string& text) {
    CGRect frame;
    UIView* view = findShowing(text, true, &frame);
    auto* cell = ancestorOfKind<UITableViewCell>(view);
    auto* table = ancestorOfKind<UITableView>(cell);
    if (!cell || !table) return "no visible table row shows " + describe(text);
    const CGRect row = cell->convertRectToView(cell->bounds(), nullptr);
    const double y = CGRectGetMidY(row), startX = CGRectGetMaxX(row) - 20;
    screen_.drag({startX, y}, {startX - 2 * UITableView::kDeleteButtonWidth, y});
    settle();
    UIView* button = table->deleteButton();
    if (!button || button->isHidden() || !table->indexPathShowingDelete())
        return "swiping the row showing " + describe(text) + " showed no Delete button";
    screen_.tap(centreOf(button->convertRectToView(button->bounds(), nullptr)));
    return std::nullopt;
}

std::optional<std::string> OffscreenScriptDriver::typeText(const std::string& text) {
    if (!screen_.window()->firstResponder() && !UIAlertView::visibleAlert())
        return "nothing takes typed text: no text field is being edited";
    screen_.typeText(text);
    return std::nullopt;
}

}  // namespace settingshost
