#include "hosts/statusbar/PanelAppearance.h"

#include <cstdio>

namespace statusbar {

std::optional<Panel> panelNamed(const std::string& name) {
    if (name == "dark") return Panel::dark;
    if (name == "light") return Panel::light;
    if (name == "auto") return Panel::automatic;
    return std::nullopt;
}

std::optional<Panel> panelOfAppearance(const std::string& appearance) {
    if (appearance == "light") return Panel::dark;
    if (appearance == "dark") return Panel::light;
    if (appearance == "auto") return Panel::automatic;
    return std::nullopt;
}

graphics::Color textColorOn(desktop::ColorScheme panel) {
    return graphics::Color::grey(panel == desktop::ColorScheme::dark ? 1 : 0);
}

PanelAppearance::PanelAppearance(StatusBar& bar, Panel panel, desktop::BusConnection* session) : bar_(bar), chosen_(panel) {
    if (chosen_ == Panel::automatic) {
        const bool verbose = bar.options().verbose;
        watch_ = std::make_unique<desktop::ColorSchemeWatch>(
            session && session->connected() ? session->bus() : nullptr, [this, verbose](desktop::ColorScheme now) {
                if (verbose) std::fprintf(stderr, "ampora-statusbar: the panel is now %s\n", describe().c_str());
                bar_.setTextColor(textColorOn(now));
            });
        // Sent now; answered while the host starts.
        if (session) session->process();
    }
    bar_.setTextColor(textColorOn(this->panel()));
}

PanelAppearance::~PanelAppearance() = default;

bool PanelAppearance::pending() const { return watch_ && watch_->pending(); }

desktop::ColorScheme PanelAppearance::panel() const {
    if (watch_) return watch_->scheme();
    return chosen_ == Panel::light ? desktop::ColorScheme::light : desktop::ColorScheme::dark;
}

std::string PanelAppearance::describe() const {
    return std::string(desktop::colorSchemeName(panel())) + " (" + (watch_ ? watch_->source() : "--panel") + ")";
}

}  // namespace statusbar
