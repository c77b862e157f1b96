#include "settings/pages/QVAXCreditsController.h"

#include "platform/foundation/Log.h"
#include "platform/uikit/navigation/UIApplication.h"
#include "settings/pages/QVAXSettingsController.h"
#include "settings/toolkit/SKSharedHelper.h"

using foundation::PlistValue;
using preferences::PSSpecifierPtr;

namespace {

using Self = QVAXCreditsController;
void openDevTwitterIMP(runtime::NSObject* self, PSSpecifierPtr) { static_cast<Self*>(self)->openDevTwitter(); }
void openDonateIMP(runtime::NSObject* self, PSSpecifierPtr) { static_cast<Self*>(self)->openDonate(); }

const bool kRegistered = (QVAXCreditsController::staticClass(), true);

}  // namespace

runtime::Class* QVAXCreditsController::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c =
            runtime::defineClass<QVAXCreditsController>("QVAXCreditsController", SKTintedListController::staticClass());
        c.addMethod("openDevTwitter", &openDevTwitterIMP);
        c.addMethod("openDonate", &openDonateIMP);
        return &c;
    }();
    return cls;
}

std::optional<std::vector<preferences::SpecifierDictionary>> QVAXCreditsController::customSpecifiers() {
    (void)kRegistered;
    return std::vector<preferences::SpecifierDictionary>{
        {{"cell", PlistValue("PSGroupCell")}, {"label", PlistValue("DEV_SOLE")}},
        {{"cell", PlistValue("PSLinkCell")},
         {"height", PlistValue(100)},
         {"cellClass", PlistValue("QVDeveloperCell")},
         {"action", PlistValue("openDevTwitter")}},
        {{"cell", PlistValue("PSButtonCell")}, {"action", PlistValue("openDonate")}, {"label", PlistValue("Donate")}},
        {{"cell", PlistValue("PSGroupCell")}, {"label", PlistValue("DEV_OTHERS")}, {"footerText", PlistValue("DEV_O_FOOTER")}},
        {{"cell", PlistValue("PSStaticTextCell")}, {"label", PlistValue(kOtherContributor)}},
    };
}

std::optional<graphics::Color> QVAXCreditsController::navigationTintColor() const {
    return QVAXSettingsController::kPaneColor;
}

std::optional<std::string> QVAXCreditsController::shareMessage() const {
    return std::string("I have fallen in love with #Ampora! Thank you @") + kDeveloperHandle +
           " for creating it, I can't wait for your next creation!";
}

void QVAXCreditsController::openDevTwitter() { SKSharedHelper::openTwitter(kDeveloperHandle); }

void QVAXCreditsController::openDonate() {
    auto url = uikit::NSURL::URLWithString(kDonationAddress);
    if (!url || !uikit::UIApplication::sharedApplication().openURL(*url))
        foundation::logLine(std::string("AMPORA: the donation page could not be opened: ") + kDonationAddress);
}
