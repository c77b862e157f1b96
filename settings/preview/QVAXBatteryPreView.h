#pragma once
// A small rounded box split into a light and a dark half, each showing the
// battery icon rendered for that background.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"
#include "settings/preview/RenderSettings.h"

class QVAXBatteryPreView : public uikit::UIView {
public:
    explicit QVAXBatteryPreView(const uikit::CGRect& frame, SharedRenderSettings settings = nullptr);
    ~QVAXBatteryPreView() override;

    // Setting these does not render; callers call refreshBattery.
    const SharedRenderSettings& batterySettings() const { return _batterySettings; }
    void setBatterySettings(SharedRenderSettings s) { _batterySettings = std::move(s); }
    const SharedRenderSettings& lightSettings() const { return _lightSettings; }
    void setLightSettings(SharedRenderSettings s) { _lightSettings = std::move(s); }
    const SharedRenderSettings& darkSettings() const { return _darkSettings; }
    void setDarkSettings(SharedRenderSettings s) { _darkSettings = std::move(s); }
    double batteryImageHeight() const { return _batteryImageHeight; }
    void setBatteryImageHeight(double h) { _batteryImageHeight = h; }

    const std::shared_ptr<uikit::UIView>& lightView() const { return lightView_; }
    const std::shared_ptr<uikit::UIView>& darkView() const { return darkView_; }
    const std::shared_ptr<uikit::UIImageView>& lightBatteryView() const { return _lightBatteryView; }
    const std::shared_ptr<uikit::UIImageView>& darkBatteryView() const { return _darkBatteryView; }
    void setLightBatteryView(std::shared_ptr<uikit::UIImageView> v);
    void setDarkBatteryView(std::shared_ptr<uikit::UIImageView> v);

    void setupViews();
    // Renders both halves from their settings, always.
    void refreshBattery();
    // Theme evaluations so far, one per half rendered.
    int renderCount() const { return renderCount_; }

    // On: refreshBattery asks for both halves off the main thread and shows the
    // box empty until they arrive; layout passes render nothing by themselves.
    void setRendersInBackground(bool on) { background_ = on; }
    bool rendersInBackground() const { return background_; }
    // Both halves have arrived (or failed) since the last refreshBattery.
    bool isRendered() const { return waiting_ == 0; }
    // With a background render: where the script comes from, read on the
    // render's thread (the settings' own script is then not used).
    void setScriptReader(std::function<std::optional<std::string>(std::string& why)> read) { read_ = std::move(read); }
    // Runs once both halves of a background render have landed.
    void setRenderedHandler(std::function<void(QVAXBatteryPreView&)> handler) { rendered_ = std::move(handler); }
    // Drops the images, what is asked for and the settings (a row far out of view).
    void releaseContents();
    // Why the last render of a script gave no image, in one line; empty when
    // both halves drew. A small "!" in the box shows that there is one.
    const std::string& failure() const { return failure_; }
    const std::shared_ptr<uikit::UILabel>& failureBadge() const { return badge_; }

protected:
    // Places the halves for the current size and renders again only when a
    // half's settings or the icon height changed since its last render.
    void layoutSubviews() override;

private:
    void placeSubviews();
    void renderHalf(const SharedRenderSettings& own, int style, uikit::UIImageView& view,
                    std::optional<RenderSettings>& last);
    bool halfIsStale(const SharedRenderSettings& own, const std::optional<RenderSettings>& last) const;

    std::shared_ptr<uikit::UIView> lightView_, darkView_;
    std::shared_ptr<uikit::UIImageView> _lightBatteryView, _darkBatteryView;
    double _batteryImageHeight = 26;
    SharedRenderSettings _batterySettings, _lightSettings, _darkSettings;
    std::optional<RenderSettings> lastLight_, lastDark_;  // what each half shows
    int renderCount_ = 0;
    std::string failure_;
    std::shared_ptr<uikit::UILabel> badge_;
    bool background_ = false;
    int waiting_ = 0;                      // halves asked for and not yet landed
    std::vector<std::uint64_t> tickets_;   // of those
    std::function<void(QVAXBatteryPreView&)> rendered_;
    std::function<std::optional<std::string>(std::string& why)> read_;
    void renderHalfInBackground(const SharedRenderSettings& own, const std::shared_ptr<uikit::UIImageView>& view,
                                std::optional<RenderSettings>& last);
    void halfLanded();
    void cancelRenders();
};
