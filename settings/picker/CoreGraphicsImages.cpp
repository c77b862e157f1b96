#include "settings/picker/CoreGraphicsImages.h"

namespace CoreGraphics {

uikit::UIImagePtr hr_imageWithSize(uikit::CGSize size, bool opaque, const Renderer& renderer, double scale) {
    if (!(scale > 0)) scale = graphics::mainScreenScale();
    uikit::UIGraphicsBeginImageContextWithOptions(size, opaque, scale);
    if (renderer) renderer(uikit::UIGraphicsGetCurrentContext(), uikit::CGRectMake(0, 0, size.width, size.height));
    auto image = uikit::UIGraphicsGetImageFromCurrentImageContext();
    uikit::UIGraphicsEndImageContext();
    return image;
}

}  // namespace CoreGraphics
