#include "platform/uikit/views/UIDevice.h"

#include <cctype>

namespace uikit {

UIDevice& UIDevice::currentDevice() {
    static auto* device = new UIDevice();
    return *device;
}

void UIDevice::resetTraits() {
    systemVersion_ = "9.3";
    idiom_ = UIUserInterfaceIdiom::Phone;
}

int UIDevice::compareVersions(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    auto next = [](const std::string& s, size_t& k) {
        long long v = 0;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) v = v * 10 + (s[k++] - '0');
        while (k < s.size() && !std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        return v;
    };
    while (i < a.size() || j < b.size()) {
        const long long x = next(a, i), y = next(b, j);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

}  // namespace uikit
