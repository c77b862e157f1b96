#include "settings/pages/QVColorCell.h"

#include <cctype>

#include "common/ColorParsing.h"
#include "platform/foundation/LenientValues.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "settings/model/PreferenceStore.h"
#include "settings/pages/NotSavedAlert.h"
#include "settings/pages/QVAXSettingsColorOptionsController.h"
#include "settings/preview/RenderSettings.h"
#include "settings/toolkit/SKLocalization.h"

using preferences::PSSpecifierPtr;
using namespace uikit;

namespace {

void openColorPickerIMP(runtime::NSObject* self, PSSpecifierPtr) { static_cast<QVColorCell*>(self)->openColorPicker(); }

const bool kRegistered = (QVColorCell::staticClass(), true);

std::string upperCased(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

runtime::Class* QVColorCell::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c = runtime::defineClass<QVColorCell>("QVColorCell", preferences::PSTableCell::staticClass());
        c.addMethod("openColorPicker", &openColorPickerIMP);
        return &c;
    }();
    return cls;
}

void QVColorCell::didMoveToSuperview() {
    (void)kRegistered;
    PSTableCell::didMoveToSuperview();
    if (!superview()) return;
    if (!colorPreview_) {
        colorPreview_ = std::make_shared<UIView>(CGRectMake(0, 0, 51, 31));
        colorPreview_->setTag(kSwatchTag);
        colorPreview_->layer()->setCornerRadius(31 / 2.0);
        colorPreview_->layer()->setBorderWidth(1.5);
        colorPreview_->layer()->setBorderColor(colorWithWhite(0.85, 0.9));
    }
    setAccessoryView(colorPreview_);
    // The tap comes to the cell through its own target and action: the row's
    // target stays the page, which answers the row's getter and setter.
    setCellTarget(self());
    setCellAction("openColorPicker");
    updateCellColor();
}

std::optional<std::string> QVColorCell::storedHex() const {
    const auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    // Only a non-empty string is a stored color; anything else (a number or a
    // dictionary from a hand-edited file) reads as missing.
    std::optional<std::string> hex = foundation::stringForKey(settings ? &*settings : nullptr,
                                                              specifier()->stringPropertyForKey("key"));
    if (!hex || hex->empty()) return std::nullopt;
    return hex;
}

void QVColorCell::updateCellColor() {
    if (!specifier()) return;
    std::optional<std::string> hex = storedHex();
    if (!hex) hex = specifier()->stringPropertyForKey("default");
    keyColor_ = ColorParsing::colorFromHexString(hex);
    if (colorPreview_) colorPreview_->setBackgroundColor(keyColor_.value_or(colors::clearColor));
    if (detailTextLabel()) detailTextLabel()->setText(upperCased(hex.value_or("")));
    setNeedsLayout();
}

// Both bars have a "Main Color" and a "Base Color": the picker says which bar it is for.
std::string QVColorCell::pickerTitle() const {
    const std::string bar = specifier()->stringPropertyForKey("foreUpdate");
    const char* barKey = bar == "lightSettings" ? "LIGHT_BAR_TITLE" : bar == "darkSettings" ? "DARK_BAR_TITLE" : nullptr;
    auto page = ownPage();
    if (!barKey || !page) return specifier()->name();
    return specifier()->name() + " \u00B7 " + SKLocalizedString(*page, barKey);
}

void QVColorCell::openColorPicker() {
    if (!specifier()) return;
    const bool useAlpha = foundation::boolValue(specifier()->plistPropertyForKey("useAlpha"));
    auto picker = std::make_shared<QVAXColorPickerViewController>(keyColor_.value_or(colors::blackColor), true, useAlpha);
    picker->setTitle(pickerTitle());
    picker->setDelegate(self());

    const PreviewRenderSettings settings = getBatteryRenderSettings();
    const std::string update = specifier()->stringPropertyForKey("update");
    const bool shared = settings.lightSettings && settings.lightSettings->shareAlpha.has_value();
    // With a shared main color the picker feeds the base from the main color itself.
    if (!update.empty() && (!shared || update == "baseColor")) picker->setUpdateKey(update);
    const std::string foreground = specifier()->stringPropertyForKey("foreUpdate");
    if (!foreground.empty()) picker->setUpdateForegroundKey(foreground);
    picker->setBatterySettings(settings);

    // The registered page's stack; the row's own page when that one shows nowhere.
    auto registered = QVAXSettingsColorOptionsController::registeredPage();
    auto nav = registered ? registered->navigationController() : nullptr;
    if (auto own = ownPage(); !nav && own) nav = own->navigationController();
    if (!nav) {
        foundation::logLine("AMPORA: the color row \"" + specifier()->name() + "\" has no page to open the picker on");
        return;
    }
    nav->pushViewController(picker, true);
}

void QVColorCell::colorPickerControllerDidFinishPickingWithColor(QVAXColorPickerViewController&, const UIColor& color) {
    keyColor_ = color;
    if (colorPreview_) colorPreview_->setBackgroundColor(color);
    if (!specifier()) return;
    const bool useAlpha = foundation::boolValue(specifier()->plistPropertyForKey("useAlpha"));
    const auto hex = ColorParsing::hexStringFromColor(color, useAlpha, true);
    if (!hex) return;
    if (detailTextLabel()) detailTextLabel()->setText(upperCased(*hex));
    setNeedsLayout();
    store(*hex);
    if (storedHex() == hex) return;
    // Refused or failed: the swatch, the text and the next picker show what is stored.
    updateCellColor();
    if (auto page = ownPage()) NotSavedAlert::show(*page, "COLOR_NOT_SAVED", PreferenceStore::lastProblem());
}

std::shared_ptr<QVColorCell> QVColorCell::self() {
    return std::static_pointer_cast<QVColorCell>(shared_from_this());
}

std::shared_ptr<preferences::PSListController> QVColorCell::ownPage() const {
    return std::dynamic_pointer_cast<preferences::PSListController>(specifier() ? specifier()->target() : nullptr);
}

std::shared_ptr<preferences::PSListController> QVColorCell::reportingPage() const {
    if (auto registered = QVAXSettingsColorOptionsController::registeredPage()) return registered;
    return ownPage();
}

void QVColorCell::store(const std::string& hex) {
    if (auto page = std::dynamic_pointer_cast<QVAXSettingsController>(reportingPage())) {
        page->setPreferenceValue(foundation::PlistValue(hex), specifier());
        return;
    }
    // No settings page is left to write through: the picked color is still stored.
    const std::string key = specifier()->stringPropertyForKey("key");
    if (key.empty()) return;
    auto result = PreferenceStore::rewrite(foundation::settingsFilePath(), PreferenceStore::WhenMissing::StartEmpty,
                                           [&](foundation::PlistDictionary& settings) { settings[key] = hex; });
    if (!result) {
        foundation::logLine("AMPORA: " + key + " not stored: " + result.message);
        return;
    }
    const std::string notification = specifier()->stringPropertyForKey("PostNotification");
    if (!notification.empty()) notify::DarwinNotifyCenter::shared().post(notification);
}
