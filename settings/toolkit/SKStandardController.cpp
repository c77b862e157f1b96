#include "settings/toolkit/SKStandardController.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/notify/NotifyCenter.h"
#include "settings/model/PreferenceStore.h"

using foundation::PlistValue;
using preferences::PSSpecifierPtr;
using preferences::SpecifierDictionary;

namespace {

void showSupportDialogIMP(runtime::NSObject* self, PSSpecifierPtr) {
    static_cast<SKStandardController*>(self)->showSupportDialog();
}

const bool kRegistered = (SKStandardController::staticClass(), true);

// The row's settings file, or nullopt (logged) when its name would leave the preferences root.
std::optional<std::string> settingsFileOf(const PSSpecifierPtr& specifier) {
    const std::string name = specifier->stringPropertyForKey("defaults");
    if (foundation::isPlainFileName(name)) return foundation::preferencesRoot() + "/" + name;
    foundation::logLine("AMPORA: the row \"" + specifier->name() + "\" names no usable settings file (\"" + name +
                        "\"); nothing is stored");
    return std::nullopt;
}

}  // namespace

runtime::Class* SKStandardController::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c =
            runtime::defineClass<SKStandardController>("SKStandardController", SKTintedListController::staticClass());
        c.addMethod("showSupportDialog", &showSupportDialogIMP);
        return &c;
    }();
    return cls;
}

std::optional<graphics::Color> SKStandardController::iconColor() const {
    if (auto c = navigationTintColor()) return c;
    if (auto c = tintColor()) return c;
    return uikit::colors::whiteColor;
}

std::optional<std::vector<SpecifierDictionary>> SKStandardController::customSpecifiers() {
    (void)kRegistered;
    const PlistValue group("PSGroupCell"), link("PSLinkCell"), cell("SKTintedCell");
    return std::vector<SpecifierDictionary>{
        {{"cell", group}, {"footerText", PlistValue(enabledDescription())}},
        {{"cell", PlistValue("PSSwitchCell")},
         {"default", PlistValue(true)},
         {"defaults", PlistValue(defaultsFileName())},
         {"key", PlistValue("enabled")},
         {"label", PlistValue("ENABLED")},
         {"PostNotification", PlistValue(postNotification())},
         {"cellClass", PlistValue("SKTintedSwitchCell")},
         {"icon", PlistValue("enabled.png")}},
        {{"cell", group}},
        {{"cell", link},
         {"detail", PlistValue(settingsListControllerClassName())},
         {"label", PlistValue("OPTIONS")},
         {"icon", PlistValue("settings.png")},
         {"cellClass", cell}},
        {{"cell", group}},
        {{"cell", link},
         {"detail", PlistValue(makersListControllerClassName())},
         {"label", PlistValue("MAKERS")},
         {"icon", PlistValue("makers.png")},
         {"cellClass", cell}},
        {{"cell", group}, {"footerText", PlistValue(footerText())}},
        {{"cell", link},
         {"action", PlistValue("showSupportDialog")},
         {"label", PlistValue("SUPPORT")},
         {"icon", PlistValue("support.png")},
         {"cellClass", cell}},
    };
}

void SKStandardController::showSupportDialog() {
    if (!uikit::MFMailComposeViewController::canSendMail()) return;
    auto composer = std::make_shared<uikit::MFMailComposeViewController>();
    composer->setMailComposeDelegate(std::dynamic_pointer_cast<uikit::MFMailComposeViewControllerDelegate>(selfController()));
    composer->setSubject(localizedString(emailSubject()));
    composer->setMessageBody(localizedString(emailBody()), false);
    composer->setToRecipients(emailAddresses());
    auto root = rootController();
    (root ? *root : static_cast<uikit::UIViewController&>(*this)).presentViewController(composer, true);
}

void SKStandardController::mailComposeController(uikit::MFMailComposeViewController& controller,
                                                 uikit::MFMailComposeResult, const std::optional<std::string>&) {
    controller.dismissViewControllerAnimated(true);
}

preferences::PreferenceValue SKStandardController::readPreferenceValue(const PSSpecifierPtr& specifier) {
    const std::string key = specifier->stringPropertyForKey("key");
    const std::string name = specifier->stringPropertyForKey("defaults");
    if (!key.empty() && foundation::isPlainFileName(name))
        if (auto stored = getPreferenceValueForKey(foundation::preferencesRoot() + "/" + name, key)) return stored;
    const PlistValue* fallback = specifier->plistPropertyForKey("default");
    return fallback ? preferences::PreferenceValue(*fallback) : std::nullopt;
}

void SKStandardController::setPreferenceValue(preferences::PreferenceValue value, const PSSpecifierPtr& specifier) {
    const std::string key = specifier->stringPropertyForKey("key");
    if (!value || key.empty()) return;
    const auto path = settingsFileOf(specifier);
    auto result = path ? PreferenceStore::rewrite(*path, PreferenceStore::WhenMissing::StartEmpty,
                                                  [&](foundation::PlistDictionary& settings) { settings[key] = *value; })
                       : PreferenceStore::RewriteResult{};
    if (!result) {
        if (path) foundation::logLine("AMPORA: " + key + " not stored: " + result.message);
        // The switch goes back to what is stored.
        if (auto at = indexPathForSpecifier(specifier); at && table())
            if (auto* shown = dynamic_cast<preferences::PSTableCell*>(table()->cellForRowAtIndexPath(*at).get()))
                shown->setValue(readPreferenceValue(specifier));
        return;
    }
    const std::string notification = specifier->stringPropertyForKey("PostNotification");
    if (!notification.empty()) notify::DarwinNotifyCenter::shared().post(notification);
}
