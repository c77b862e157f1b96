#include "platform/uikit/views/UIWindow.h"

#include <algorithm>

#include "platform/uikit/events/UIGestureRecognizer.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {
namespace {

std::weak_ptr<UIWindow> gKeyWindow;

// Holds the overlays; touches that hit none of them fall through to the content.
class OverlayRoot : public UIView {
public:
    explicit OverlayRoot(UIWindow* owner) : owner_(owner) {}
    UIView* hitTest(CGPoint point, const UIEvent* event) override {
        UIView* hit = UIView::hitTest(point, event);
        return hit == this ? nullptr : hit;
    }

protected:
    UIWindow* windowOfRoot() const override { return owner_; }

private:
    UIWindow* owner_;
};

}  // namespace

UIWindow::UIWindow(const CGRect& frame)
    : UIView(CGRectIsZero(frame) ? UIScreen::mainScreen().bounds() : frame),
      overlays_(std::make_shared<OverlayRoot>(this)) {
    overlays_->setFrame(bounds());
}

UIWindow::~UIWindow() = default;

std::shared_ptr<UIWindow> UIWindow::keyWindow() { return gKeyWindow.lock(); }

void UIWindow::makeKeyAndVisible() {
    gKeyWindow = std::static_pointer_cast<UIWindow>(shared_from_this());
    setHidden(false);
}

bool UIWindow::isKeyWindow() const { return gKeyWindow.lock().get() == this; }

bool UIWindow::makeFirstResponder(UIResponder* responder) {
    auto current = firstResponder_.lock();
    if (current.get() == responder) return true;
    if (current) {
        if (!current->canResignFirstResponder()) return false;
        firstResponder_.reset();
        current->didResignFirstResponder();
    }
    if (responder) {
        firstResponder_ = responder->weak_from_this();
        responder->didBecomeFirstResponder();
    }
    return true;
}

void UIWindow::addOverlay(const UIViewPtr& view) {
    overlays_->addSubview(view);
    overlays_->setNeedsLayout();
}

void UIWindow::removeOverlay(const UIView* view) {
    for (const auto& v : overlays_->subviews())
        if (v.get() == view) {
            UIViewPtr keep = v;
            keep->removeFromSuperview();
            return;
        }
}

void UIWindow::layoutSubviews() { overlays_->setFrame(bounds()); }

void UIWindow::renderWindow(cairo_t* cr) {
    // The look changed since the last frame: every view in the window resolves its colors again.
    if (styleSeen_ != currentUserInterfaceStyle()) {
        restyleTree();
        overlays_->restyleTree();
    }
    layoutIfNeeded();
    overlays_->layoutIfNeeded();
    layer()->renderInContext(cr);
    // Under the overlays: an alert's dimming covers the page's focus too.
    focus_.drawRing(cr);
    if (!overlays_->subviews().empty()) overlays_->layer()->renderInSuperlayer(cr);
}

UIView* UIWindow::hitTest(CGPoint point, const UIEvent* event) {
    if (UIView* hit = overlays_->hitTest(point, event)) return hit;
    return UIView::hitTest(point, event);
}

void UIWindow::sendEvent(const UIEvent& event) {
    auto keep = weak_from_this().lock();
    if (event.type() == UIEvent::Type::Touches) dispatchTouches(event);
    else if (event.type() == UIEvent::Type::Scroll) {
        if (UIView* hit = hitTest(event.locationInWindow(), &event)) hit->scrollWheel(event.scrollDelta());
    } else dispatchKey(event);
}

void UIWindow::dispatchKey(const UIEvent& event) {
    // An alert takes every key; otherwise what the first responder leaves goes to the focus.
    if (auto modal = modal_.lock()) {
        if (event.type() == UIEvent::Type::Key) modal->pressKeyWithModifiers(event.keyCode(), event.modifierFlags());
        else modal->insertText(event.text());
        return;
    }
    auto target = firstResponder_.lock();
    if (event.type() == UIEvent::Type::Text) {
        if (target) target->insertText(event.text());
        return;
    }
    if (!target || !target->pressKeyWithModifiers(event.keyCode(), event.modifierFlags()))
        focus_.handleKey(event.keyCode(), event.modifierFlags());
}

void UIWindow::dispatchTouches(const UIEvent& event) {
    auto self = std::static_pointer_cast<UIWindow>(shared_from_this());
    for (UITouchPhase phase : {UITouchPhase::Began, UITouchPhase::Moved, UITouchPhase::Stationary, UITouchPhase::Ended,
                               UITouchPhase::Cancelled}) {
        UITouchSet touches;
        for (const auto& t : event.allTouches())
            if (t->phase() == phase) touches.push_back(t);
        if (touches.empty()) continue;

        // Pointing leaves the keyboard's place behind.
        if (phase == UITouchPhase::Began) focus_.clear();
        if (phase == UITouchPhase::Began)
            for (const auto& t : touches) {
                UIView* hit = hitTest(t->locationInWindow(), &event);
                t->window_ = self;
                t->view_.reset();
                t->recognizers_.clear();
                t->deliveredToView_ = hit != nullptr;
                if (!hit) continue;
                t->view_ = std::static_pointer_cast<UIView>(hit->shared_from_this());
                for (UIView* v = hit; v; v = v->superview())
                    for (const auto& r : v->gestureRecognizers())
                        if (r->isEnabled()) t->recognizers_.push_back(r);
            }

        // Recognizers first, each with the touches it follows.
        std::vector<UIGestureRecognizerPtr> involved;
        for (const auto& t : touches)
            for (const auto& weak : t->recognizers_)
                if (auto r = weak.lock(); r && std::find(involved.begin(), involved.end(), r) == involved.end())
                    involved.push_back(r);
        for (const auto& r : involved) {
            UITouchSet own;
            for (const auto& t : touches)
                for (const auto& weak : t->recognizers_)
                    if (weak.lock() == r) own.push_back(t);
            r->handleTouches(phase, own, event);
        }

        // Then the views, unless a recognizer has taken the touch.
        for (const auto& t : touches) {
            auto view = t->view();
            if (!view || !t->deliveredToView_) continue;
            const bool taken = std::any_of(t->recognizers_.begin(), t->recognizers_.end(), [](const auto& weak) {
                auto r = weak.lock();
                return r && r->tookTouchesFromView();
            });
            const UITouchSet one{t};
            if (taken) {
                t->deliveredToView_ = false;
                if (phase != UITouchPhase::Began) view->touchesCancelled(one, event);
                continue;
            }
            switch (phase) {
                case UITouchPhase::Began: view->touchesBegan(one, event); break;
                case UITouchPhase::Moved:
                case UITouchPhase::Stationary: view->touchesMoved(one, event); break;
                case UITouchPhase::Ended: view->touchesEnded(one, event); break;
                case UITouchPhase::Cancelled: view->touchesCancelled(one, event); break;
            }
        }

        if (phase == UITouchPhase::Ended || phase == UITouchPhase::Cancelled)
            for (const auto& r : involved) r->resetIfFinished();
    }
}

}  // namespace uikit
