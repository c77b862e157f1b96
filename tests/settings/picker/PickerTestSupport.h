#pragma once
// Waiting for the color map's background work to come back to the main loop.

#include <chrono>

#include "platform/uikit/screens/OffscreenScreen.h"
#include "platform/uikit/views/UIClock.h"
#include "settings/picker/HRColorMapView.h"

namespace picker::test {

// Runs the main loop until the map is installed, for at most `seconds` of real time.
inline bool waitForColorMap(const HRColorMapView& map, double seconds = 20) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!map.colorMapLayer() && std::chrono::steady_clock::now() < deadline)
        uikit::OffscreenScreen::runPendingBlocks();
    return map.colorMapLayer() != nullptr;
}

}  // namespace picker::test
