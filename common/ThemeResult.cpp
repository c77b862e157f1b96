#include "common/ThemeResult.h"

#include "platform/foundation/Base64.h"

namespace ThemeResult {

graphics::Image imageFromResult(const std::string& result, double scale) {
    const auto marker = result.find("base64,");
    // Without the marker there is nothing to decode: no image.
    if (marker == std::string::npos) return nullptr;
    auto data = foundation::base64DecodeStrict(std::string_view(result).substr(marker + 7));
    if (!data) return nullptr;
    return graphics::UIImage::imageWithData(*data, scale);
}

}  // namespace ThemeResult
