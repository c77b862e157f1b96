#pragma once
// The panel's own color, which decides the status bar's text color: a dark panel
// gets white text (the settings' colors for a dark status bar, `lightColor`),
// a light one black text. "auto" follows the desktop's light or dark setting
// and redraws the item when it changes.

#include <memory>
#include <optional>
#include <string>

#include "platform/desktop/BusConnection.h"
#include "hosts/statusbar/StatusBar.h"
#include "platform/desktop/ColorScheme.h"

namespace statusbar {

enum class Panel { dark, light, automatic };

// --panel's values: "dark", "light", "auto".
std::optional<Panel> panelNamed(const std::string& name);
// The old --appearance spelling named the text: "light" text sits on a dark panel.
std::optional<Panel> panelOfAppearance(const std::string& appearance);
graphics::Color textColorOn(desktop::ColorScheme panel);

class PanelAppearance {
public:
    // `session` may be null; it must outlive this.
    PanelAppearance(StatusBar& bar, Panel panel, desktop::BusConnection* session);
    ~PanelAppearance();
    PanelAppearance(const PanelAppearance&) = delete;
    PanelAppearance& operator=(const PanelAppearance&) = delete;

    // Still waiting for the desktop's first answer.
    bool pending() const;
    desktop::ColorScheme panel() const;
    // "dark (the desktop portal's color-scheme)", for --verbose.
    std::string describe() const;

private:
    StatusBar& bar_;
    Panel chosen_;
    std::unique_ptr<desktop::ColorSchemeWatch> watch_;
};

}  // namespace statusbar
