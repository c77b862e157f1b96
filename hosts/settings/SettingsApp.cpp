#include "hosts/settings/SettingsApp.h"

#include <cstdlib>
#include <ostream>

#include "hosts/settings/BundleLoading.h"
#include "hosts/settings/DesktopLook.h"
#include "hosts/settings/OffscreenScriptDriver.h"
#include "hosts/settings/SettingsOptions.h"
#include "hosts/settings/SettingsRootPage.h"
#include "hosts/settings/ViewTreeDump.h"
#include "hosts/settings/WindowModule.h"
#include "platform/foundation/SafeRead.h"
#include "platform/notify/RunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/navigation/UINavigationController.h"

namespace settingshost {

using namespace uikit;

namespace {

struct Failure {
    std::string why;
};

// A script is a short text file: a device, a FIFO or a folder is refused rather
// than read without end, waited on or taken as an empty script.
constexpr std::size_t kScriptLimit = 1u << 20;

std::vector<ScriptStep> readScript(const std::string& path) {
    const foundation::FileRead file = foundation::readRegularFile(path, kScriptLimit);
    if (!file.ok()) throw Failure{"the script " + path + " cannot be read: " + foundation::problemClause(file.problem)};
    try {
        return parseScript(file.bytes);
    } catch (const ScriptError& e) {
        throw Failure{path + ": " + e.what()};
    }
}

UIViewControllerPtr firstPage(const SettingsOptions& options, const std::shared_ptr<preferences::NSBundle>& bundle) {
    std::string error;
    if (!options.page.empty()) {
        auto page = makePage(options.page, error);
        if (!page) throw Failure{error};
        return page;
    }
    const std::string pane = bundle->principalClassName();
    if (pane.empty()) throw Failure{"the bundle's Info.plist names no NSPrincipalClass"};
    if (!runtime::NSClassFromString(pane)) throw Failure{"the bundle has no page class named \"" + pane + "\""};
    if (options.settingsRoot) return std::make_shared<SettingsRootPage>(bundle, pane);
    auto page = makePage(pane, error);
    if (!page) throw Failure{error};
    return page;
}

int run(const SettingsOptions& options) {
    if (!options.root.empty()) setenv("AMPORA_PREFERENCES", options.root.c_str(), 1);
    const std::vector<ScriptStep> steps = options.script.empty() ? std::vector<ScriptStep>{} : readScript(options.script);

    UIScreen& screen = UIScreen::mainScreen();
    screen.setPortraitSize({options.width, options.height});
    screen.setOrientation(UIInterfaceOrientation::Portrait);
    screen.setScale(options.scale);
    using Look = SettingsOptions::Look;
    std::unique_ptr<DesktopLook> desktopLook;
    if (options.look == Look::desktop && options.opensWindow())
        desktopLook = std::make_unique<DesktopLook>(notify::RunLoop::main());
    else
        screen.setUserInterfaceStyle(options.look == Look::dark ? UIUserInterfaceStyle::Dark : UIUserInterfaceStyle::Light);

    std::string error;
    auto bundle = loadSettingsBundle(options.bundle.empty() ? defaultBundlePath() : options.bundle, error);
    if (!bundle) throw Failure{error};

    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, options.width, options.height));
    window->makeKeyAndVisible();
    window->setRootViewController(UINavigationController::withRootViewController(firstPage(options, bundle)));
    OffscreenScreen offscreen(window);
    OffscreenScreen::runPendingBlocks();

    if (options.opensWindow()) {
        // A portal that is slow to start shows the pages light at first, then restyles them.
        if (desktopLook) desktopLook->awaitFirstAnswer(std::chrono::milliseconds(250));
        if (!runDesktopWindow(window, options.scaleGiven ? options.scale : 0, error))
            throw Failure{error + " (--screenshot FILE renders without a display)"};
        return 0;
    }
    if (!steps.empty()) {
        OffscreenScriptDriver driver(offscreen, bundle, options.scale);
        try {
            runScript(steps, driver);
        } catch (const ScriptError& e) {
            throw Failure{options.script + ": " + e.what()};
        }
    }
    if (!options.dump.empty() && !writeViewTree(*window, options.dump))
        throw Failure{"cannot write the view tree to " + options.dump};
    if (!options.screenshot.empty())
        if (auto problem = writeScreenPNG(offscreen, options.screenshot, options.scale)) throw Failure{*problem};
    return 0;
}

}  // namespace

int runSettingsHost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SettingsOptions options;
    try {
        options = parseSettingsOptions(args);
    } catch (const UsageError& e) {
        err << "ampora-settings: " << e.what() << "\n\n" << kSettingsUsage;
        return 2;
    }
    if (options.help) {
        out << kSettingsUsage;
        return 0;
    }
    try {
        return run(options);
    } catch (const Failure& f) {
        err << "ampora-settings: " << f.why << "\n";
        return 1;
    } catch (const std::exception& e) {
        // A page that throws ends the session with its reason, not an abort.
        err << "ampora-settings: stopped: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace settingshost
