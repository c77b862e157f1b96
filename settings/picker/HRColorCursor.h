#pragma once
// The marker of the chosen tile on the color map. Pale, light colors get a
// dark backing so the marker stays visible on the white end of the map.

#include <memory>

#include "settings/picker/HRRoundCursor.h"

class HRColorCursor : public HRRoundCursor {
public:
    static std::shared_ptr<HRColorCursor> colorCursorWithPoint(uikit::CGPoint point);
    // A cursor whose frame origin is `point`, showing white.
    explicit HRColorCursor(uikit::CGPoint point);

    void setColor(const uikit::UIColor& color);
    bool isGrayCursor() const { return _grayCursor; }

private:
    bool _grayCursor = false;
};
