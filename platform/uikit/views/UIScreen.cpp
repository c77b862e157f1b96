#include "platform/uikit/views/UIScreen.h"

#include <cmath>

#include "platform/graphics/Image.h"

namespace uikit {

UIScreen& UIScreen::mainScreen() {
    static auto* screen = new UIScreen();
    return *screen;
}

bool UIScreen::isLandscape() const {
    return orientation_ == UIInterfaceOrientation::LandscapeLeft || orientation_ == UIInterfaceOrientation::LandscapeRight;
}

CGRect UIScreen::bounds() const {
    return isLandscape() ? CGRectMake(0, 0, portrait_.height, portrait_.width)
                         : CGRectMake(0, 0, portrait_.width, portrait_.height);
}

double UIScreen::scale() const { return graphics::mainScreenScale(); }
void UIScreen::setScale(double scale) { graphics::setMainScreenScale(scale); }

void UIScreen::setPortraitSize(CGSize size) {
    if (std::isfinite(size.width) && std::isfinite(size.height) && size.width > 0 && size.height > 0) portrait_ = size;
}

void UIScreen::resetTraits() {
    portrait_ = {375, 667};
    orientation_ = UIInterfaceOrientation::Portrait;
    setScale(2);
    setUserInterfaceStyle(UIUserInterfaceStyle::Light);
}

}  // namespace uikit
