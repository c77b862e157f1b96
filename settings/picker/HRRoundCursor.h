#pragma once
// The round knob both picker cursors are made of: a translucent backing and a
// disc of the color, both grown while the user drags.

#include "platform/uikit/views/UIView.h"

class HRRoundCursor : public uikit::UIView {
public:
    static uikit::CGSize cursorSize() { return {28, 28}; }

    const uikit::UIColor& color() const { return _color; }
    bool editing() const { return _editing; }
    // Jumps to the old look, then moves to the new one over 0.1 s; the same value again does nothing.
    void setEditing(bool editing);

    const uikit::CALayerPtr& backLayer() const { return _backLayer; }
    const uikit::CALayerPtr& colorLayer() const { return _colorLayer; }

protected:
    explicit HRRoundCursor(uikit::CGPoint origin);
    // Puts the parts in their editing or rest look, moving there over `duration` seconds (0: at once).
    virtual void applyLook(bool editing, double duration);
    // The disc's color, without implicit animation.
    void paintDisc(const uikit::UIColor& color);

    uikit::CALayerPtr _backLayer, _colorLayer;
    uikit::UIColor _color = uikit::colors::whiteColor;
    bool _editing = false;
};

// Sets a layer's transform, shown moving from where it is now over `duration` seconds of the UI clock.
void setLayerTransform(uikit::CALayer& layer, const uikit::CGAffineTransform& transform, double duration);
