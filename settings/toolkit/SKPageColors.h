#pragma once
// The colors a pane's page puts on the shared window and navigation bar while
// it is on screen, and takes off again when it leaves, so that the next page
// starts from the system look.

#include <optional>

#include "platform/uikit/navigation/UIViewController.h"
#include "settings/toolkit/SKTintHooks.h"

class SKPageColorHooks : public SKTintHooks {
public:
    virtual std::optional<graphics::Color> navigationTintColor() const { return std::nullopt; }
    virtual std::optional<bool> tintNavigationTitleText() const { return std::nullopt; }
    virtual std::optional<graphics::Color> navigationTitleTintColor() const { return std::nullopt; }
};

namespace SKPageColors {

// Tint of the page's view and the key window, the bar's tint and its title color.
void apply(uikit::UIViewController& page, const SKPageColorHooks& hooks);
// Clears all of those.
void remove(uikit::UIViewController& page);

}  // namespace SKPageColors
