#include "platform/uikit/events/KeyboardFocus.h"

#include <algorithm>

#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/tables/UITableView.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

// Points of the content a page key keeps in sight from the page before.
constexpr double kPageOverlap = 40;

template <class T>
T* enclosing(UIView* view) {
    for (; view; view = view->superview())
        if (auto* found = dynamic_cast<T*>(view)) return found;
    return nullptr;
}

bool shown(const UIView& view) {
    return !view.isHidden() && view.alpha() > 0.01 && view.isUserInteractionEnabled();
}

void collect(UIView& view, std::vector<UIView*>& out) {
    if (!shown(view)) return;
    if (view.canBecomeFocused() && view.bounds().size.width > 0 && view.bounds().size.height > 0) {
        out.push_back(&view);
        return;
    }
    for (const auto& sub : view.subviews()) collect(*sub, out);
}

// The scroll view a page key moves when nothing focused is in one: the largest that can scroll.
UIScrollView* largestScroller(UIView& view, UIScrollView* best = nullptr) {
    if (!shown(view)) return best;
    if (auto* s = dynamic_cast<UIScrollView*>(&view); s && s->isScrollEnabled() &&
                                                       s->maximumContentOffset().y > s->minimumContentOffset().y) {
        const auto area = [](const UIScrollView& v) { return v.bounds().size.width * v.bounds().size.height; };
        if (!best || area(*s) > area(*best)) best = s;
    }
    for (const auto& sub : view.subviews()) best = largestScroller(*sub, best);
    return best;
}

}  // namespace

UIView* KeyboardFocus::focusedView() const {
    auto view = focused_.lock();
    return view && view->window() == &window_ ? view.get() : nullptr;
}

UIView* KeyboardFocus::current() const {
    if (UIView* view = focusedView()) return view;
    auto* editing = dynamic_cast<UIView*>(window_.firstResponder().get());
    return editing && editing->window() == &window_ && editing->canBecomeFocused() ? editing : nullptr;
}

std::vector<UIView*> KeyboardFocus::focusableViews() const {
    std::vector<UIView*> views;
    for (const auto& sub : window_.subviews()) collect(*sub, views);
    for (const auto& sub : window_.overlayRoot()->subviews()) collect(*sub, views);
    return views;
}

void KeyboardFocus::showFocus(UIView* view, bool shown) {
    if (auto* cell = enclosing<UITableViewCell>(view)) cell->setShowsFocus(shown);
}

bool KeyboardFocus::focus(UIView* view) {
    auto keep = view ? view->weak_from_this().lock() : nullptr;
    // Editing ends where the focus leaves.
    if (auto first = window_.firstResponder(); first && first.get() != static_cast<UIResponder*>(view))
        if (!first->resignFirstResponder()) return false;
    if (auto old = focused_.lock(); old.get() != view) showFocus(old.get(), false);
    focused_ = std::static_pointer_cast<UIView>(keep);
    if (!view) return true;
    showFocus(view, true);
    for (UIView* v = view->superview(); v; v = v->superview())
        if (auto* scroller = dynamic_cast<UIScrollView*>(v)) {
            const CGPoint before = scroller->contentOffset();
            scroller->scrollRectToVisible(view->convertRectToView(view->bounds(), scroller));
            if (scroller->contentOffset() != before) scroller->flashScrollIndicators();
        }
    if (auto* field = dynamic_cast<UITextField*>(view); field && !field->isEditing() && field->becomeFirstResponder())
        field->selectAll();
    return true;
}

void KeyboardFocus::clear() {
    if (auto old = focused_.lock()) showFocus(old.get(), false);
    focused_.reset();
}

bool KeyboardFocus::moveBy(int step, bool withinTable) {
    std::vector<UIView*> views = focusableViews();
    UIView* from = current();
    if (withinTable) {
        // Without a focus in a table, the first table shown.
        UITableView* table = enclosing<UITableView>(from);
        if (!table) {
            from = nullptr;
            for (UIView* v : views)
                if ((table = enclosing<UITableView>(v))) break;
        }
        std::erase_if(views, [&](UIView* v) { return !table || enclosing<UITableView>(v) != table; });
    }
    if (views.empty()) return false;
    const auto at = std::find(views.begin(), views.end(), from);
    const long count = long(views.size());
    long next;
    if (at == views.end()) next = step > 0 ? 0 : count - 1;
    else if (withinTable) next = std::clamp(long(at - views.begin()) + step, 0L, count - 1);  // arrows stop at the ends
    else next = ((long(at - views.begin()) + step) % count + count) % count;                // Tab goes round
    focus(views[size_t(next)]);
    return true;
}

bool KeyboardFocus::scrollPage(UIKey key) {
    UIScrollView* scroller = enclosing<UIScrollView>(current());
    if (!scroller) {
        for (const auto& sub : window_.subviews()) scroller = largestScroller(*sub, scroller);
        if (!scroller) return false;
    }
    scroller->stopCoasting();
    const CGPoint offset = scroller->contentOffset();
    const UIEdgeInsets in = scroller->contentInset();
    const double page = std::max(kPageOverlap, scroller->bounds().size.height - in.top - in.bottom - kPageOverlap);
    double y = offset.y;
    switch (key) {
        case UIKey::PageUp: y -= page; break;
        case UIKey::PageDown: y += page; break;
        case UIKey::Home: y = scroller->minimumContentOffset().y; break;
        default: y = scroller->maximumContentOffset().y; break;
    }
    scroller->setContentOffset({offset.x, y});
    if (scroller->contentOffset() != offset) scroller->flashScrollIndicators();
    return true;
}

bool KeyboardFocus::handleKey(UIKey key, unsigned modifiers) {
    switch (key) {
        case UIKey::Tab: return moveBy(modifiers & UIKeyModifierShift ? -1 : 1, false);
        case UIKey::Up: return moveBy(-1, true);
        case UIKey::Down: return moveBy(1, true);
        case UIKey::PageUp:
        case UIKey::PageDown:
        case UIKey::Home:
        case UIKey::End: return scrollPage(key);
        case UIKey::Return:
        case UIKey::Space:
        case UIKey::Left:
        case UIKey::Right: {
            UIView* view = current();
            if (!view) return false;
            auto keep = view->shared_from_this();
            return view->pressFocusedKey(key);
        }
        default: return false;
    }
}

void KeyboardFocus::drawRing(cairo_t* cr) const {
    UIView* view = focusedView();
    if (!view || enclosing<UITableViewCell>(view)) return;
    const CGRect r = CGRectInset(view->convertRectToView(view->bounds(), nullptr), -3, -3);
    cairo_save(cr);
    addRoundedRect(cr, r, 6);
    setSourceColor(cr, view->tintColor());
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace uikit
