#pragma once
// Where the parts of this installation are, found from the program's own
// location: installed, bin/../lib/ampora/plugins holds the plug-ins; in the
// build tree they sit beside the program.

#include <string>

namespace statusbar {

// The folder whose plug-ins the host loads unless told otherwise.
std::string defaultPluginFolder();
// The settings window of the same installation (it may not exist).
std::string settingsProgram();

}  // namespace statusbar
