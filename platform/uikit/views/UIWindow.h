#pragma once
// The root of a screen's view tree: dispatches touches by hit testing to
// gesture recognizers and views, keys and text to the first responder (keys
// it leaves move or use the keyboard focus), and shows overlays (alerts, the
// keyboard's accessory bar) above its content.

#include <memory>

#include "platform/uikit/events/KeyboardFocus.h"
#include "platform/uikit/views/UIView.h"

namespace uikit {

class UIViewController;

class UIWindow : public UIView {
public:
    explicit UIWindow(const CGRect& frame);  // CGRectZero: the main screen's bounds
    ~UIWindow() override;

    // The window that takes keys and shows alerts: the last made key and still alive.
    static std::shared_ptr<UIWindow> keyWindow();
    void makeKeyAndVisible();
    bool isKeyWindow() const;

    // The page filling the window, told that it appears (and the one it replaces
    // that it disappears). Defined beside the view controllers.
    void setRootViewController(std::shared_ptr<UIViewController> controller);
    const std::shared_ptr<UIViewController>& rootViewController() const { return rootViewController_; }

    // Every input enters here: real and synthetic alike.
    void sendEvent(const UIEvent& event);

    std::shared_ptr<UIResponder> firstResponder() const { return firstResponder_.lock(); }
    // Resigns the current first responder (false when it refuses) and makes `responder` the new one.
    bool makeFirstResponder(UIResponder* responder);

    // Views above the content, in window coordinates, hit first; the last added is on top.
    void addOverlay(const UIViewPtr& view);
    void removeOverlay(const UIView* view);
    const UIViewPtr& overlayRoot() const { return overlays_; }
    // An overlay that takes every key (an alert): keys and text go to it, not the first responder.
    void setModalOverlay(std::weak_ptr<UIResponder> responder) { modal_ = std::move(responder); }
    std::shared_ptr<UIResponder> modalOverlay() const { return modal_.lock(); }

    KeyboardFocus& keyboardFocus() { return focus_; }
    const KeyboardFocus& keyboardFocus() const { return focus_; }

    // Lays out what is marked, then draws content and overlays into `cr` (user space in points).
    void renderWindow(cairo_t* cr);

    UIView* hitTest(CGPoint point, const UIEvent* event) override;
    UIResponder* nextResponder() const override { return nullptr; }
    UIWindow* responderWindow() const override { return const_cast<UIWindow*>(this); }

protected:
    void layoutSubviews() override;
    UIWindow* windowOfRoot() const override { return const_cast<UIWindow*>(this); }

private:
    void dispatchTouches(const UIEvent& event);
    void dispatchKey(const UIEvent& event);

    UIViewPtr overlays_;
    std::shared_ptr<UIViewController> rootViewController_;
    std::weak_ptr<UIResponder> firstResponder_;
    std::weak_ptr<UIResponder> modal_;
    KeyboardFocus focus_{*this};
};

using UIWindowPtr = std::shared_ptr<UIWindow>;

}  // namespace uikit
