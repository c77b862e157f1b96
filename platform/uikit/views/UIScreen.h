#pragma once
// The main screen as traits a test or tool can set: bounds in points (portrait
// 375 × 667 unless set; landscape swaps them), scale (the platform's main-screen
// scale) and the light or dark look.

#include "platform/uikit/drawing/UISystemColors.h"
#include "platform/uikit/geometry/CGGeometry.h"

namespace uikit {

enum class UIInterfaceOrientation { Portrait, PortraitUpsideDown, LandscapeLeft, LandscapeRight };

class UIScreen {
public:
    static UIScreen& mainScreen();

    // Following the orientation.
    CGRect bounds() const;
    double scale() const;
    void setScale(double scale);
    // The portrait size.
    void setPortraitSize(CGSize size);
    UIInterfaceOrientation orientation() const { return orientation_; }
    void setOrientation(UIInterfaceOrientation orientation) { orientation_ = orientation; }
    bool isLandscape() const;
    // Windows resolve their views' platform colors again at their next frame.
    UIUserInterfaceStyle userInterfaceStyle() const { return currentUserInterfaceStyle(); }
    void setUserInterfaceStyle(UIUserInterfaceStyle style) { setCurrentUserInterfaceStyle(style); }
    // Back to 375 × 667 at scale 2, portrait, light.
    void resetTraits();

private:
    UIScreen() = default;
    CGSize portrait_{375, 667};
    UIInterfaceOrientation orientation_ = UIInterfaceOrientation::Portrait;
};

}  // namespace uikit
