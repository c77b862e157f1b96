#pragma once

#include <string>

// The built-in five-parameter theme that previews fall back to: a ring whose
// arc shows the level, with the number inside.
const std::string& defaultThemeScript();
