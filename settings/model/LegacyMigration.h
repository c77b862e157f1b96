#pragma once
// Moving the settings of an earlier version over, once, when the user agrees.

#include <string>

namespace LegacyMigration {

// True when there are no settings but a legacy file, and that very file (the
// same file, unchanged) has not already turned out to be unreadable, in this
// launch or an earlier one.
bool shouldOffer();

struct Outcome {
    bool written = false;
    std::string problem;  // when not written: why, for a person
    explicit operator bool() const { return written; }
};

// Writes the legacy keys the key catalogue knows, with values of the kinds it
// gives, into the settings file (a key the file already holds is kept). An
// unreadable legacy file is logged and, until it changes, never offered again.
Outcome migrate();

}  // namespace LegacyMigration
