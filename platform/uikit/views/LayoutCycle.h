#pragma once
// Coalesces layout requests into one pass per turn of the main run loop: the
// first setNeedsLayout of a turn queues the pass, later ones join it.

#include <memory>
#include <vector>

namespace uikit {

class UIView;

class LayoutCycle {
public:
    static LayoutCycle& shared();

    // Called by setNeedsLayout with the topmost ancestor of the marked view.
    void requestPass(UIView* root);
    // The pass itself; the run loop runs it, a screen before it draws.
    void runPass();
    int passCount() const { return passes_; }
    bool isPassQueued() const { return queued_; }

private:
    LayoutCycle() = default;
    std::vector<std::weak_ptr<UIView>> roots_;
    bool queued_ = false;
    int passes_ = 0;
};

}  // namespace uikit
