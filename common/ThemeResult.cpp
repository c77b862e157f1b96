#include "common/ThemeResult.h"

#include "platform/foundation/Base64.h"

namespace ThemeResult {

graphics::Image imageFromResult(const std::string& result, double scale) {
    auto data = foundation::base64PayloadOf(result);
    if (!data) return nullptr;
    return graphics::UIImage::imageWithData(*data, scale);
}

}  // namespace ThemeResult
