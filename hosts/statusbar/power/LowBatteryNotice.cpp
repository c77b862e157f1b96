#include "hosts/statusbar/power/LowBatteryNotice.h"

#include <filesystem>

#include "hosts/statusbar/BatterySummary.h"
#include "hosts/statusbar/TrayPixmap.h"
#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"

namespace statusbar {

int settingsLowLevel() {
    std::string path = foundation::settingsFilePath();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) path = foundation::legacySettingsFilePath();
    const auto settings = foundation::readDictionaryFromFile(path);
    return foundation::intForKey(settings ? &*settings : nullptr, "lowLevel", 20);
}

void LowBatteryNotice::update(const BatteryState& battery, const graphics::Image& strip) {
    if (!battery.present || battery.state != 0) {
        // Plugged in (or no battery at all): the next discharge may warn again.
        armed_ = true;
        notifications_.close();
        return;
    }
    if (!armed_ || !batteryIsLow(battery, settingsLowLevel())) return;
    armed_ = false;
    desktop::NoticeImage image;
    if (strip) {
        const TrayPixmap pixmap = trayPixmap(strip->surface());
        image.width = pixmap.width;
        image.height = pixmap.height;
        image.rgba.reserve(pixmap.argb.size());
        for (size_t at = 0; at + 3 < pixmap.argb.size(); at += 4)
            image.rgba.insert(image.rgba.end(), {pixmap.argb[at + 1], pixmap.argb[at + 2], pixmap.argb[at + 3], pixmap.argb[at]});
    }
    const std::string time = timeText(battery);
    notifications_.show("Battery low: " + std::to_string(battery.level) + " % left",
                        time.empty() ? "Plug in the charger." : time + ". Plug in the charger.", image, "battery-caution");
}

}  // namespace statusbar
