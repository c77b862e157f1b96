#pragma once
// One font map for every text the platform draws (canvas text and views):
// our own fontconfig aliases map the Apple and generic family names to pinned
// faces, so text does not depend on what else the machine has installed.

#include <pango/pangocairo.h>

namespace graphics {

// Created on first use and kept for the process; use from the main thread.
PangoFontMap* sharedFontMap();

}  // namespace graphics
