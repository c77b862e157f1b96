#include "hosts/settings/VisibleViews.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/views/UILabel.h"

namespace settingshost {

using namespace uikit;

namespace {

// Open on both sides, so a view of no size still counts when it lies inside.
bool overlaps(const CGRect& a, const CGRect& b) {
    return a.origin.x < CGRectGetMaxX(b) && CGRectGetMaxX(a) > b.origin.x && a.origin.y < CGRectGetMaxY(b) &&
           CGRectGetMaxY(a) > b.origin.y;
}

CGRect frameInWindow(const UIView& view) { return view.convertRectToView(view.bounds(), nullptr); }

void collect(UIView& view, int depth, CGRect clip, std::vector<VisibleView>& out) {
    if (view.isHidden() || view.alpha() <= 0) return;
    const CGRect frame = frameInWindow(view);
    if (overlaps(frame, clip)) out.push_back({&view, depth, frame});
    if (view.clipsToBounds()) clip = CGRectIntersection(clip, frame);
    for (const UIViewPtr& sub : view.subviews()) collect(*sub, depth + 1, clip, out);
}

}  // namespace

std::vector<VisibleView> visibleViews(UIWindow& window) {
    // Seen as drawn: laid out first.
    window.layoutIfNeeded();
    window.overlayRoot()->layoutIfNeeded();
    std::vector<VisibleView> out;
    const CGRect bounds = window.bounds();
    collect(window, 0, bounds, out);
    if (!window.isHidden())
        for (const UIViewPtr& overlay : window.overlayRoot()->subviews()) collect(*overlay, 1, bounds, out);
    return out;
}

std::string shownText(const UIView& view) {
    if (auto* label = dynamic_cast<const UILabel*>(&view)) return label->text();
    if (auto* button = dynamic_cast<const UIButton*>(&view)) return button->currentTitle().value_or("");
    if (auto* field = dynamic_cast<const UITextField*>(&view)) return field->text();
    return {};
}

std::string readableClassName(const UIView& view) {
    if (auto* object = dynamic_cast<const runtime::NSObject*>(&view)) return object->objcClass()->name();
    const char* mangled = typeid(view).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    if (const size_t colons = name.rfind("::"); colons != std::string::npos) name = name.substr(colons + 2);
    return name;
}

bool isHittable(UIWindow& window, const VisibleView& visible) {
    const CGPoint centre{CGRectGetMidX(visible.frame), CGRectGetMidY(visible.frame)};
    if (!CGRectContainsPoint(window.bounds(), centre)) return false;
    UIView* hit = window.hitTest(centre, nullptr);
    return hit && (hit == visible.view || hit->isDescendantOfView(visible.view) || visible.view->isDescendantOfView(hit));
}

}  // namespace settingshost
