#include "settings/toolkit/MSBetterPSSliderTableCell.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/uikit/views/UIDevice.h"
#include "platform/uikit/views/UIScreen.h"
#include "settings/model/PreferenceStore.h"

using uikit::CGRectMake;
using uikit::UIAlertView;

runtime::Class* MSBetterPSSliderTableCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<MSBetterPSSliderTableCell>(
        "MSBetterPSSliderTableCell", preferences::PSSliderTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (MSBetterPSSliderTableCell::staticClass(), true);

float numberProperty(const preferences::PSSpecifierPtr& specifier, const char* key) {
    return specifier ? float(foundation::doubleValue(specifier->plistPropertyForKey(key))) : 0.0f;
}
}  // namespace

MSBetterPSSliderTableCell::MSBetterPSSliderTableCell() : entryButton_(uikit::UIButton::buttonWithType(uikit::UIButtonType::System)) {
    (void)kRegistered;
    const uikit::CGRect frame = this->frame();
    entryButton_->setFrame(CGRectMake(frame.size.width - kButtonWidth, 0, kButtonWidth, frame.size.height));
    entryButton_->setAutoresizingMask(uikit::UIViewAutoresizingFlexibleLeftMargin);
    entryButton_->setTitle(std::string());
    entryButton_->addTarget([this](uikit::UIControl&) { presentPopup(); }, uikit::UIControlEventTouchUpInside);
    addSubview(entryButton_);
}

std::shared_ptr<MSBetterPSSliderTableCell> MSBetterPSSliderTableCell::self() {
    return std::dynamic_pointer_cast<MSBetterPSSliderTableCell>(shared_from_this());
}

float MSBetterPSSliderTableCell::minimum() const { return numberProperty(specifier(), "min"); }
float MSBetterPSSliderTableCell::maximum() const { return numberProperty(specifier(), "max"); }

void MSBetterPSSliderTableCell::layoutSubviews() {
    PSSliderTableCell::layoutSubviews();
    // The value itself is what a person taps to type one, so it looks like a
    // button; without a shown value, the right end of the row is the target.
    const uikit::CGSize size = bounds().size;
    uikit::UILabel* value = valueLabel();
    if (!value->isHidden()) entryButton_->setFrame(contentView()->convertRectToView(value->frame(), this));
    else entryButton_->setFrame(CGRectMake(size.width - kButtonWidth, 0, kButtonWidth, size.height));
    showValueOnButton();
    bringSubviewToFront(entryButton_.get());
}

void MSBetterPSSliderTableCell::showValueOnButton() {
    uikit::UILabel* value = valueLabel();
    const bool shown = !value->isHidden();
    value->setAlpha(shown ? 0 : 1);
    entryButton_->setTitle(shown ? value->text() : std::string());
    entryButton_->titleLabel()->setFont(value->font());
    entryButton_->titleLabel()->setTextAlignment(uikit::NSTextAlignment::Right);
}

void MSBetterPSSliderTableCell::showValue(const preferences::PreferenceValue& value) {
    PSSliderTableCell::showValue(value);
    showValueOnButton();
}

void MSBetterPSSliderTableCell::controlChanged() {
    PSSliderTableCell::controlChanged();
    showValueOnButton();
}

void MSBetterPSSliderTableCell::presentPopup() {
    const float min = minimum(), max = maximum();
    char message[128];
    std::snprintf(message, sizeof message, "Please enter a value between %.01f and %.01f.", double(min), double(max));
    auto me = self();
    alert_ = std::make_shared<UIAlertView>(specifier() ? specifier()->name() : std::string(), message,
                                           std::static_pointer_cast<uikit::UIAlertViewDelegate>(me), "Cancel",
                                           std::vector<std::string>{"Enter"});
    alert_->setAlertViewStyle(uikit::UIAlertViewStyle::PlainTextInput);
    alert_->setTag(kEntryAlertTag);
    alert_->show();

    auto field = alert_->textFieldAtIndex(0);
    if (!field) return;
    field->setDelegate(std::static_pointer_cast<uikit::UITextFieldDelegate>(me));
    field->resignFirstResponder();
    field->setKeyboardType(uikit::UIKeyboardType::NumberPad);
    if (uikit::UIDevice::currentDevice().userInterfaceIdiom() != uikit::UIUserInterfaceIdiom::Pad) {
        // Small values need a fraction: every bound within 10 of zero (so -10 to 10 offers the point too).
        const bool point = std::max(std::fabs(min), std::fabs(max)) <= 10.0f, sign = min < 0.0f;
        if (point || sign) field->setInputAccessoryView(makeToolbar(sign, point));
    }
    field->becomeFirstResponder();
}

std::shared_ptr<uikit::UIToolbar> MSBetterPSSliderTableCell::makeToolbar(bool sign, bool point) {
    auto toolbar = std::make_shared<uikit::UIToolbar>(
        CGRectMake(0, 0, uikit::UIScreen::mainScreen().bounds().size.width, uikit::UIToolbar::kHeight));
    std::weak_ptr<MSBetterPSSliderTableCell> weak = self();
    std::vector<uikit::UIBarButtonItemPtr> items;
    if (sign)
        items.push_back(std::make_shared<uikit::UIBarButtonItem>("Negate", uikit::UIBarButtonItemStyle::Plain,
                                                                 [weak](uikit::UIBarButtonItem&) {
                                                                     if (auto cell = weak.lock()) cell->typeMinus();
                                                                 }));
    if (point)
        items.push_back(std::make_shared<uikit::UIBarButtonItem>("Point", uikit::UIBarButtonItemStyle::Plain,
                                                                 [weak](uikit::UIBarButtonItem&) {
                                                                     if (auto cell = weak.lock()) cell->typePoint();
                                                                 }));
    toolbar->setItems(std::move(items));
    return toolbar;
}

void MSBetterPSSliderTableCell::typeMinus() {
    auto field = alert_ ? alert_->textFieldAtIndex(0) : nullptr;
    if (!field) return;
    const std::string& text = field->text();
    field->setText(text.starts_with('-') ? text.substr(1) : "-" + text);
}

void MSBetterPSSliderTableCell::typePoint() {
    auto field = alert_ ? alert_->textFieldAtIndex(0) : nullptr;
    if (field) field->setText(field->text() + ".");
}

std::optional<float> MSBetterPSSliderTableCell::parseTypedValue(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    std::string_view number(text);
    number = number.substr(first, text.find_last_not_of(" \t") + 1 - first);
    bool negative = false;
    if (number.front() == '-' || number.front() == '+') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    size_t digits = 0, points = 0;
    for (char c : number) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.') ++points;
        else return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    // from_chars does not take a bare trailing or leading point in every library; spell them out.
    std::string spelled(number);
    if (spelled.front() == '.') spelled.insert(spelled.begin(), '0');
    if (spelled.back() == '.') spelled.push_back('0');
    float value = 0;
    const auto [end, error] = std::from_chars(spelled.data(), spelled.data() + spelled.size(), value);
    if (error != std::errc() || end != spelled.data() + spelled.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

void MSBetterPSSliderTableCell::alertViewClickedButtonAtIndex(UIAlertView& alert, long index) {
    if (alert.tag() == kEntryAlertTag) {
        if (index == 1) enterTypedValue();
        if (auto field = alert.textFieldAtIndex(0)) field->resignFirstResponder();
    } else if (alert.tag() == kErrorAlertTag) {
        presentPopup();
    }
}

void MSBetterPSSliderTableCell::enterTypedValue() {
    auto field = alert_ ? alert_->textFieldAtIndex(0) : nullptr;
    const std::optional<float> value = field ? parseTypedValue(field->text()) : std::nullopt;
    if (value && minimum() <= *value && *value <= maximum()) {
        // Shown first, so that a slider of whole steps stores the step it shows.
        setValue(foundation::PlistValue(double(*value)));
        if (const preferences::PreferenceValue shown = controlValue()) setPreferenceValue(*shown, specifier());
        return;
    }
    auto error = std::make_shared<UIAlertView>("Error", "Ensure you enter a valid value.",
                                               std::static_pointer_cast<uikit::UIAlertViewDelegate>(self()), "OK",
                                               std::vector<std::string>{});
    error->setTag(kErrorAlertTag);
    error->show();
}

bool MSBetterPSSliderTableCell::setPreferenceValue(const foundation::PlistValue& value,
                                                   const preferences::PSSpecifierPtr& specifier) {
    if (!specifier) return false;
    const std::string file = specifier->stringPropertyForKey("defaults");
    const std::string key = specifier->stringPropertyForKey("key");
    // The file name names a file of the preferences folder, never one elsewhere.
    if (!foundation::isPlainFileName(file) || key.empty()) {
        foundation::logLine("AMPORA: the slider row \"" + specifier->name() + "\" names no settings file or key (\"" +
                            file + "\", \"" + key + "\"); nothing stored");
        return false;
    }
    const auto result =
        PreferenceStore::rewrite(foundation::preferencesRoot() + "/" + file, PreferenceStore::WhenMissing::StartEmpty,
                                 [&](foundation::PlistDictionary& settings) { settings[key] = value; });
    if (!result) {
        foundation::logLine("AMPORA: FAILED WRITING SETTINGS");
        foundation::logLine("AMPORA: " + result.message);
        // The slider goes back to what the file holds, as a page's row does.
        setValue(preferences::readValue(specifier));
        return false;
    }
    const std::string notification = specifier->stringPropertyForKey("PostNotification");
    if (!notification.empty()) notify::DarwinNotifyCenter::shared().post(notification);
    return true;
}
