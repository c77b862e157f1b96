#include "settings/picker/HRRoundCursor.h"

#include "platform/uikit/layers/CATransaction.h"
#include "platform/uikit/views/UIClock.h"

using namespace uikit;

void setLayerTransform(CALayer& layer, const CGAffineTransform& transform, double duration) {
    if (duration > 0) layer.animateTransform({layer.presentationTransform(), transform, UIClock::shared().now(), duration});
    else layer.removeAnimations();
    layer.setAffineTransform(transform);
}

HRRoundCursor::HRRoundCursor(CGPoint origin) : UIView({origin, cursorSize()}) {
    setBackgroundColor(colors::clearColor);
    setOpaque(false);
    setUserInteractionEnabled(false);
    const CGSize size = cursorSize();
    _backLayer = CALayer::layer();
    _backLayer->setFrame(CGRectMake(0, 0, size.width, size.height));
    _backLayer->setCornerRadius(size.height * 0.5);
    _backLayer->setBackgroundColor(colorWithWhite(1, 0.7));
    layer()->addSublayer(_backLayer);
    _colorLayer = CALayer::layer();
    _colorLayer->setFrame(CGRectInset(bounds(), 5.5, 5.5));
    _colorLayer->setCornerRadius(_colorLayer->frame().size.height * 0.5);
    layer()->addSublayer(_colorLayer);
}

void HRRoundCursor::paintDisc(const UIColor& color) {
    CATransaction::begin();
    CATransaction::setDisableActions(true);
    _colorLayer->setBackgroundColor(color);
    CATransaction::commit();
}

void HRRoundCursor::setEditing(bool editing) {
    if (editing == _editing) return;
    _editing = editing;
    applyLook(!editing, 0);
    applyLook(editing, 0.1);
}

void HRRoundCursor::applyLook(bool editing, double duration) {
    setLayerTransform(*_backLayer, editing ? CGAffineTransformMakeScale(1.6, 1.6) : CGAffineTransformIdentity, duration);
    setLayerTransform(*_colorLayer, editing ? CGAffineTransformMakeScale(1.4, 1.4) : CGAffineTransformIdentity,
                      duration);
}
