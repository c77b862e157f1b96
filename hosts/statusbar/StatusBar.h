#pragma once
// The status bar of the host: one battery item view, the aggregator that
// rebuilds items, and the strip image it shows (battery image and, when the
// item asks for it, the charging accessory) written to a PNG file.

#include <functional>
#include <string>
#include <vector>

#include "hosts/statusbar/power/BatterySource.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/runtime/Runtime.h"

namespace statusbar {

struct HostOptions {
    std::string systemVersion = "9.3";
    graphics::Color textColor = graphics::Color::grey(1);  // white text: a dark bar
    double heightPoints = 20;
    std::string pngPath;
    bool verbose = false;
    // Square tray slots to draw for, in pixels (none: no tray).
    std::vector<int> squareSizes;
};

class StatusBar {
public:
    explicit StatusBar(HostOptions options);

    const HostOptions& options() const { return options_; }
    // The panel turned light or dark: the item is rebuilt in the new text color.
    void setTextColor(const graphics::Color& color);
    bool lowPowerMode() const { return battery_.lowPower; }
    // The aggregator's item number of the battery: 7 before 9.3, 8 from then on.
    int batteryItem() const;

    // New data from the battery source: handed to the view, then redrawn.
    void batteryChanged(const BatteryState& state);
    // The aggregator switched an item on or off, or asked for it to be rebuilt.
    void setItemEnabled(int item, bool enabled);
    void updateItem(int item);

    // Asks the view for its image and accessory and writes the strip when it changed.
    void redraw();
    graphics::Image lastStrip() const { return strip_; }
    // Why the last frame could not be written to the PNG path (empty: it was).
    const std::string& writeProblem() const { return writeProblem_; }
    // Why the last frame shows the stock battery in place of the theme's image (empty: it does not).
    const std::string& imageProblem() const { return imageProblem_; }
    const BatteryState& battery() const { return battery_; }
    // The last frame for each of the options' square sizes, exactly that many
    // pixels on each side; empty when the item offers no square picture.
    const std::vector<graphics::Image>& squares() const { return squares_; }
    // Told of every redraw, after the strip is made and before it is written.
    using RedrawObserver = std::function<void(const graphics::Image& strip, const BatteryState& battery)>;
    void addRedrawObserver(RedrawObserver observer) { observers_.push_back(std::move(observer)); }

private:
    void makeView();

    HostOptions options_;
    BatteryState battery_;
    runtime::id view_;
    bool batteryEnabled_ = true;
    void drawSquares();

    graphics::Image strip_;
    std::vector<graphics::Image> squares_;
    std::string lastPNG_;
    std::string writeProblem_;
    std::string imageProblem_;
    std::vector<RedrawObserver> observers_;
};

// Registers the home-screen classes with the runtime; `bar` answers for them.
void registerHostClasses(StatusBar& bar);
// The host's own battery, drawn when the engine is off or its theme gives nothing.
graphics::Image stockBattery(int level, bool charging);
// The host's own charging accessory: a bolt for a column `widthPoints` wide.
void drawChargingAccessory(cairo_t* cr, double x, double heightPixels, double widthPixels, const graphics::Color& color);

}  // namespace statusbar
