#include "hosts/statusbar/StatusBar.h"

#include <cmath>
#include <cstdio>

#include "hosts/statusbar/ThemeFailure.h"
#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Text.h"
#include "platform/runtime/HomeScreenClasses.h"

using namespace runtime;

namespace statusbar {

StatusBar::StatusBar(HostOptions options) : options_(std::move(options)) {}

int StatusBar::batteryItem() const { return foundation::compareNumeric(options_.systemVersion, "9.3") < 0 ? 7 : 8; }

void StatusBar::makeView() { view_ = std::make_shared<Object>(objc_getClass(homescreen::kBatteryItemView)); }

void StatusBar::batteryChanged(const BatteryState& state) {
    battery_ = state;
    if (!view_) makeView();
    id data = std::make_shared<Object>(objc_getClass("UIStatusBarBatteryData"));
    data->ivar<int>("_capacity") = state.level;
    data->ivar<int>("_state") = state.state;
    msgSend<bool>(view_.get(), "updateForNewData:actions:", data, 0LL);
    redraw();
}

void StatusBar::setTextColor(const graphics::Color& color) {
    options_.textColor = color;
    if (view_) updateItem(batteryItem());
}

void StatusBar::setItemEnabled(int item, bool enabled) {
    if (item == batteryItem()) batteryEnabled_ = enabled;
}

void StatusBar::updateItem(int item) {
    if (item != batteryItem()) return;
    // Rebuilt: a new view gets the current data and is asked for its image again.
    batteryEnabled_ = true;
    makeView();
    batteryChanged(battery_);
}

void drawChargingAccessory(cairo_t* cr, double x, double heightPixels, double widthPixels, const graphics::Color& c) {
    const double cx = x + widthPixels / 2, cy = heightPixels / 2, s = heightPixels * 0.45;
    const double bolt[][2] = {{0.12, -0.5}, {-0.3, 0.08}, {-0.02, 0.08}, {-0.12, 0.5}, {0.3, -0.08}, {0.02, -0.08}};
    cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), 1);
    cairo_move_to(cr, cx + bolt[0][0] * s, cy + bolt[0][1] * s);
    for (const auto& p : bolt) cairo_line_to(cr, cx + p[0] * s, cy + p[1] * s);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void StatusBar::drawSquares() {
    squares_.clear();
    if (options_.squareSizes.empty() || !imageProblem_.empty()) return;
    for (const int size : options_.squareSizes) {
        graphics::Image image;
        try {
            id set = msgSend<id>(view_.get(), "squareImageForPixelSize:", size);
            image = set ? msgSend<graphics::Image>(set.get(), "image") : nullptr;
        } catch (const MessageError&) {
        }
        // All sizes or none: a tray picks whichever size it likes best.
        if (!image) return squares_.clear();
        // Centred and, when the theme drew larger than asked, shrunk to fit.
        graphics::BitmapContext square(size, size, 1);
        cairo_t* cr = square.cairo();
        const double fit = std::min(1.0, double(size) / std::max(image->pixelWidth(), image->pixelHeight()));
        cairo_translate(cr, std::round((size - image->pixelWidth() * fit) / 2),
                        std::round((size - image->pixelHeight() * fit) / 2));
        cairo_scale(cr, fit, fit);
        cairo_set_source_surface(cr, image->surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        squares_.push_back(square.image());
    }
}

void StatusBar::redraw() {
    if (!view_ || !batteryEnabled_) return;
    graphics::Image image;
    bool accessory = false;
    ThemeFailures* failures = ThemeFailures::installed();
    if (failures) failures->frameBegins();
    try {
        id set = msgSend<id>(view_.get(), "contentsImage");
        image = set ? msgSend<graphics::Image>(set.get(), "image") : nullptr;
        accessory = msgSend<bool>(view_.get(), "_needsAccessoryImage");
    } catch (const MessageError& e) {
        foundation::logLine(std::string("AMPORA: status bar: ") + e.what());
    }
    // Only a theme in charge gives no image: the person still sees the battery, and the tooltip says why.
    if (image) {
        imageProblem_.clear();
    } else {
        imageProblem_ = failures ? failures->noImage() : ThemeFailures::sentence("", nullptr);
        image = stockBattery(battery_.level, battery_.state != 0);
    }
    // The accessory sits in the rightmost 7 points of the battery's image.
    const double scale = graphics::mainScreenScale();
    const double width = image ? std::max(image->width(), 7.0) : 7.0;
    graphics::BitmapContext strip(width, options_.heightPoints, scale);
    cairo_t* cr = strip.cairo();
    if (image) {
        cairo_save(cr);
        cairo_translate(cr, 0, std::round((strip.pixelHeight() - image->pixelHeight() * scale / image->scale()) / 2));
        cairo_scale(cr, scale / image->scale(), scale / image->scale());
        cairo_set_source_surface(cr, image->surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    if (accessory) drawChargingAccessory(cr, strip.pixelWidth() - 7 * scale, strip.pixelHeight(), 7 * scale, options_.textColor);
    strip_ = strip.image();
    drawSquares();
    for (const auto& observer : observers_) observer(strip_, battery_);

    if (options_.verbose)
        std::fprintf(stderr, "ampora-statusbar: %d%%%s%s, %s image %dx%d px%s%s%s\n", battery_.level,
                     battery_.state == 1 ? " charging" : battery_.state == 2 ? " full" : "",
                     battery_.lowPower ? " low power" : "", imageProblem_.empty() ? "battery" : "stock",
                     image->pixelWidth(), image->pixelHeight(), accessory ? ", charging accessory" : "",
                     imageProblem_.empty() ? "" : ": ", imageProblem_.c_str());
    if (options_.pngPath.empty()) return;
    const std::string png = strip_->pngData();
    if (png == lastPNG_) return;
    std::string problem;
    if (foundation::writeOutputFile(options_.pngPath, png, problem)) {
        lastPNG_ = png;
        writeProblem_.clear();
    } else if (problem != writeProblem_) {
        writeProblem_ = problem;
        foundation::logLine("AMPORA: status bar: frame not written: " + problem);
    }
}

}  // namespace statusbar
