#pragma once
// The brightness slider's knob; while dragged it grows and shows the
// brightness as a percentage above itself.

#include <memory>

#include "platform/uikit/views/UILabel.h"
#include "settings/picker/HRRoundCursor.h"

class HRBrightnessCursor : public HRRoundCursor {
public:
    HRBrightnessCursor();

    void setColor(const uikit::UIColor& color);
    const std::shared_ptr<uikit::UILabel>& brightnessLabel() const { return _brightnessLabel; }

protected:
    void applyLook(bool editing, double duration) override;

private:
    std::shared_ptr<uikit::UILabel> _brightnessLabel;
};
