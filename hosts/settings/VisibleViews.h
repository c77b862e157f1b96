#pragma once
// The views a person can see in a window, with what they show: the common
// ground of the view-tree dump and of the script's text lookups.

#include <string>
#include <vector>

#include "platform/uikit/views/UIWindow.h"

namespace settingshost {

struct VisibleView {
    uikit::UIView* view;
    int depth;           // the window is 0; overlays are children of the window
    uikit::CGRect frame;  // in window points
};

// Pre-order, the content before the overlays, once what is marked is laid out. Left out (with everything under
// them): hidden views and views of alpha 0; left out alone: views wholly
// outside the window or outside a superview that clips.
std::vector<VisibleView> visibleViews(uikit::UIWindow& window);

// The text a label, button or text field shows; empty for other views.
std::string shownText(const uikit::UIView& view);

// The class a reader knows the view by: its registered name, else the C++ class without namespaces.
std::string readableClassName(const uikit::UIView& view);

// Whether a touch at the view's centre would reach it (or the view holding it,
// as a label's cell), not something drawn over it.
bool isHittable(uikit::UIWindow& window, const VisibleView& visible);

}  // namespace settingshost
