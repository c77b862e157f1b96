#pragma once
// The device as traits a test or tool can set: system version and idiom.

#include <string>

namespace uikit {

enum class UIUserInterfaceIdiom { Phone, Pad };

class UIDevice {
public:
    static UIDevice& currentDevice();

    const std::string& systemVersion() const { return systemVersion_; }
    void setSystemVersion(std::string version) { systemVersion_ = std::move(version); }
    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }
    void resetTraits();

    // Numeric comparison of dotted versions ("9.0" < "10.3"): -1, 0 or 1.
    static int compareVersions(const std::string& a, const std::string& b);

private:
    UIDevice() = default;
    std::string systemVersion_ = "9.3";
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::Phone;
};

}  // namespace uikit
