#pragma once
// Moving the settings of an earlier version over, once, when the user agrees.

#include <string>

namespace LegacyMigration {

// True when there are no settings but a legacy file, and that legacy file has
// not already turned out to be unreadable in this process.
bool shouldOffer();

// Writes the legacy keys the key catalogue knows, with values of the kinds it
// gives, into the settings file (a key the file already holds is kept). An
// unreadable legacy file is logged and never offered again. True when written.
bool migrate();

}  // namespace LegacyMigration
