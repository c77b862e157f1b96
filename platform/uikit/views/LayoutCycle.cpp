#include "platform/uikit/views/LayoutCycle.h"

#include <algorithm>

#include "platform/notify/RunLoop.h"
#include "platform/uikit/views/UIView.h"

namespace uikit {

LayoutCycle& LayoutCycle::shared() {
    static auto* cycle = new LayoutCycle();
    return *cycle;
}

void LayoutCycle::requestPass(UIView* root) {
    if (root) {
        std::weak_ptr<UIResponder> weak = root->weak_from_this();
        if (auto strong = std::static_pointer_cast<UIView>(weak.lock())) {
            const bool known = std::any_of(roots_.begin(), roots_.end(),
                                           [&](const std::weak_ptr<UIView>& r) { return r.lock() == strong; });
            if (!known) roots_.push_back(strong);
        }
    }
    if (queued_) return;
    queued_ = true;
    notify::RunLoop::main().dispatchAsync([] { LayoutCycle::shared().runPass(); });
}

void LayoutCycle::runPass() {
    queued_ = false;
    std::vector<std::weak_ptr<UIView>> roots;
    roots.swap(roots_);
    bool any = false;
    for (auto& weak : roots) {
        auto root = weak.lock();
        if (!root) continue;
        // A root that has since been added to another view is laid out from the top.
        UIView* top = root.get();
        while (top->superview()) top = top->superview();
        top->layoutIfNeeded();
        any = true;
    }
    if (any) ++passes_;
}

}  // namespace uikit
