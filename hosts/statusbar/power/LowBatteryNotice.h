#pragma once
// The desktop's low-battery notice: sent once for each discharge when the level
// falls to the settings' low level, closed again when the machine is plugged in.

#include <memory>

#include "hosts/statusbar/power/BatterySource.h"
#include "platform/desktop/Notifications.h"
#include "platform/graphics/Image.h"

namespace statusbar {

class LowBatteryNotice {
public:
    explicit LowBatteryNotice(desktop::Notifications& notifications) : notifications_(notifications) {}
    // Every redraw: the state and the themed image it shows.
    void update(const BatteryState& battery, const graphics::Image& strip);

private:
    desktop::Notifications& notifications_;
    bool armed_ = true;
};

// "lowLevel" of the settings file, or 20.
int settingsLowLevel();

}  // namespace statusbar
