#include "platform/preferences/PSSliderTableCell.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/views/UIClock.h"

namespace preferences {

using uikit::CGRectMake;
using uikit::CGSize;
using uikit::UIClock;

runtime::Class* PSSliderTableCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSSliderTableCell>("PSSliderTableCell", PSControlTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSSliderTableCell::staticClass(), true);
constexpr double kMargin = 15, kValueWidth = 44;

std::optional<double> numberOf(const foundation::PlistValue* v) {
    if (!v) return std::nullopt;
    if (const double* d = v->asReal()) return *d;
    if (const auto* i = v->asInteger()) return double(*i);
    return std::nullopt;
}
}  // namespace

PSSliderTableCell::PSSliderTableCell() {
    (void)kRegistered;
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::None);
    contentView()->addSubview(slider_);
    valueLabel_->setFont(uikit::UIFont::systemFontOfSize(15));
    valueLabel_->setTextAlignment(uikit::NSTextAlignment::Right);
    valueLabel_->setHidden(true);
    contentView()->addSubview(valueLabel_);
    setControl(slider_);
    slider_->addTarget([this](uikit::UIControl&) { released(); },
                       uikit::UIControlEventTouchUpInside | uikit::UIControlEventTouchUpOutside |
                           uikit::UIControlEventTouchCancel);
}

PSSliderTableCell::~PSSliderTableCell() {
    if (pendingStore_) UIClock::shared().cancel(pendingStore_);
}

void PSSliderTableCell::refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    textLabel()->setHidden(true);  // the slider takes the row
    const double min = numberOf(specifier->plistPropertyForKey("min")).value_or(0);
    const double max = numberOf(specifier->plistPropertyForKey("max")).value_or(1);
    slider_->setMinimumValue(std::min(min, max));
    slider_->setMaximumValue(std::max(min, max));
    const foundation::PlistValue* segmented = specifier->plistPropertyForKey("isSegmented");
    const double segments = numberOf(specifier->plistPropertyForKey("segmentCount")).value_or(0);
    step_ = segmented && segmented->asBoolean() && *segmented->asBoolean() && segments >= 1 && max != min
                ? std::fabs(max - min) / std::floor(segments)
                : 0;
    slider_->setKeyStepMultiple(step_);
    const foundation::PlistValue* show = specifier->plistPropertyForKey("showValue");
    valueLabel_->setHidden(!(show && show->asBoolean() && *show->asBoolean()));
    setNeedsLayout();
}

double PSSliderTableCell::snapped(double value) const {
    if (step_ <= 0) return value;
    const double min = slider_->minimumValue();
    return std::clamp(min + std::round((value - min) / step_) * step_, min, double(slider_->maximumValue()));
}

PreferenceValue PSSliderTableCell::controlValue() const {
    // Still a real number, as slider rows have always stored, but a whole one.
    if (wholeSteps()) return foundation::PlistValue(double(std::llround(slider_->value())));
    return foundation::PlistValue(slider_->value());
}

void PSSliderTableCell::showValue(const PreferenceValue& value) {
    const std::optional<double> v = value ? numberOf(&*value) : std::nullopt;
    slider_->setValue(snapped(v.value_or(slider_->minimumValue())));
    showValueText();
}

void PSSliderTableCell::showValueText() {
    char text[32];
    std::snprintf(text, sizeof text, wholeSteps() ? "%.0f" : "%.2f", double(slider_->value()));
    valueLabel_->setText(text);
}

void PSSliderTableCell::controlChanged() {
    // Between steps the thumb jumps to the nearest one, as the value does.
    if (step_ > 0) slider_->setValue(snapped(slider_->value()));
    showValueText();
    if (!slider_->isTracking()) return storeNow();
    const double now = UIClock::shared().now();
    if (now - lastStore_ >= kStoreInterval) return storeNow();
    if (!pendingStore_)
        pendingStore_ = UIClock::shared().schedule(lastStore_ + kStoreInterval - now, [this] {
            pendingStore_ = 0;
            storeNow();
        });
}

void PSSliderTableCell::released() {
    if (pendingStore_ || slider_->value() != lastStoredValue_) storeNow();
}

void PSSliderTableCell::storeNow() {
    if (pendingStore_) UIClock::shared().cancel(pendingStore_);
    pendingStore_ = 0;
    lastStore_ = UIClock::shared().now();
    lastStoredValue_ = slider_->value();
    PSControlTableCell::controlChanged();
}

void PSSliderTableCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    const CGSize size = contentView()->bounds().size;
    const double valueWidth = valueLabel_->isHidden() ? 0 : kValueWidth;
    double x = kMargin;
    if (imageView()->image()) x = imageView()->frame().origin.x + imageView()->frame().size.width + kMargin;
    const double width = std::max(0.0, size.width - x - kMargin - valueWidth);
    slider_->setFrame(CGRectMake(x, (size.height - 31) / 2, width, 31));
    valueLabel_->setFrame(CGRectMake(x + width, 0, valueWidth, size.height));
}

}  // namespace preferences
