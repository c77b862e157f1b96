#pragma once
// What a preview renders from: one set of values per background, built from the
// settings file or from a profile.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"
#include "platform/graphics/Color.h"

struct RenderSettings {
    double height = 26;  // points; a preview view sets its own before each render
    int level = 55;
    bool charging = false;
    bool low = false;
    bool lpm = false;
    bool flipX = false;  // top and bottom swap
    bool flipY = false;  // left and right swap
    std::string script;
    graphics::Color color = graphics::Color::rgb(1, 1, 1);
    graphics::Color baseColor = graphics::Color::rgb(1, 1, 1, 0x55 / 255.0);
    // Present only when the base color is the main color at this alpha.
    std::optional<double> shareAlpha;

    bool operator==(const RenderSettings&) const = default;
};

// Shared because a picker edits the very settings a preview shows.
using SharedRenderSettings = std::shared_ptr<RenderSettings>;

struct PreviewRenderSettings {
    SharedRenderSettings darkSettings;   // dark background, white status-bar content
    SharedRenderSettings lightSettings;  // light background, black status-bar content
};

// Set by the theme list pages: while on, settings from the file carry the
// secondary theme's mirroring.
extern bool useSecondarySettings;

PreviewRenderSettings getBatteryRenderSettings();
PreviewRenderSettings getBatteryRenderSettingsForProfile(const foundation::PlistDictionary& profile);
