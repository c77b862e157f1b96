#include "settings/picker/HRColorInfoView.h"

#include "common/ColorParsing.h"
#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/views/UIScreen.h"

using namespace uikit;

HRColorInfoView::HRColorInfoView(const CGRect& frame) : UIView(frame) {
    setBackgroundColor(colors::clearColor);
    setOpaque(false);
    setDrawsContent(true);
    _hexColorLabel = std::make_shared<UILabel>();
    _hexColorLabel->setBackgroundColor(colors::clearColor);
    _hexColorLabel->setOpaque(false);
    _hexColorLabel->setFont(UIFont::systemFontOfSize(12));
    _hexColorLabel->setTextColor(colorWithWhite(0.5, 1));
    _hexColorLabel->setTextAlignment(NSTextAlignment::Center);
    addSubview(_hexColorLabel);
    _borderLayer = CALayer::layer();
    _borderLayer->setCornerRadius(kHRColorInfoViewCornerRadius);
    _borderLayer->setBorderColor(colors::lightGrayColor);
    // 1.5 pixels.
    _borderLayer->setBorderWidth(1.5 / UIScreen::mainScreen().scale());
    layer()->addSublayer(_borderLayer);
}

std::shared_ptr<UIView> HRColorInfoView::view() { return std::static_pointer_cast<UIView>(weak_from_this().lock()); }

void HRColorInfoView::setColor(const UIColor& color) {
    _color = color;
    // The codec truncates each channel (0.5 × 255 reads 7f) and turns no channel into garbage.
    _hexColorLabel->setText(ColorParsing::hexStringFromColor(color, false, true).value_or(""));
    setNeedsDisplay();
}

void HRColorInfoView::layoutSubviews() {
    const CGSize size = frame().size;
    _hexColorLabel->setFrame(CGRectMake(0, size.height - kHRColorInfoViewLabelHeight, size.width,
                                        kHRColorInfoViewLabelHeight));
    _borderLayer->setFrame(CGRectMake(0, 0, size.width, size.height));
}

void HRColorInfoView::drawRect(const CGRect&) {
    if (!_color) return;
    const CGSize size = bounds().size;
    UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, size.width, size.height - kHRColorInfoViewLabelHeight),
                                            UIRectCornerTopLeft | UIRectCornerTopRight, {4, 4})
        ->fill(*_color);
}
