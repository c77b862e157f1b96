#pragma once
// Runs script steps on an off-screen window through the window's sendEvent,
// the path a person's input takes. After every step the UI clock moves on by
// kSettleSeconds with the queued blocks run, as a person would wait to see the
// result: a tap's push or pop slide (0.35 s) has finished before the next step.

#include <memory>

#include "hosts/settings/SettingsScript.h"
#include "platform/preferences/NSBundle.h"
#include "platform/uikit/screens/OffscreenScreen.h"

namespace settingshost {

// Writes the window as PNG to `path`: a device or FIFO in place, anything else
// replaced atomically. nullopt when written, else what failed.
std::optional<std::string> writeScreenPNG(const uikit::OffscreenScreen& screen, const std::string& path, double scale);

class OffscreenScriptDriver : public ScriptDriver {
public:
    static constexpr double kSettleSeconds = 0.5;

    // `bundle` localizes the texts of tap-text, swipe-delete and expect-text; it may be null.
    OffscreenScriptDriver(uikit::OffscreenScreen& screen, std::shared_ptr<preferences::NSBundle> bundle,
                          double shotScale);

    std::optional<std::string> perform(const ScriptStep& step) override;
    bool windowClosed() const override { return closed_; }
    // Queued blocks run, the clock moved on by kSettleSeconds, queued blocks run
    // again; after each run, background work of the main loop (the color map) lands.
    static void settle();

private:
    std::optional<std::string> act(const ScriptStep& step);
    std::optional<std::string> tapText(const std::string& text);
    std::optional<std::string> swipeDelete(const std::string& text);
    std::optional<std::string> typeText(const std::string& text);
    // The first visible view showing `text` or the bundle's text for the key
    // `text`; with `hittable`, only one a tap at its centre reaches.
    uikit::UIView* findShowing(const std::string& text, bool hittable, uikit::CGRect* frame = nullptr) const;
    // `text`, and its localization when that differs, for failure messages.
    std::string describe(const std::string& text) const;

    uikit::OffscreenScreen& screen_;
    std::shared_ptr<preferences::NSBundle> bundle_;
    double shotScale_;
    bool closed_ = false;
};

}  // namespace settingshost
