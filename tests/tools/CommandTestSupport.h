#pragma once
// What the command-line tests share: `ampora` run as a person runs it, in a
// fresh preferences root with its own notification folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"

inline CommandRun ampora(const std::string& arguments) { return runCommand(AMPORA_BINARY, arguments); }
inline bool has(const CommandRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

// The smallest theme that draws: a filled strip as tall as asked.
inline const std::string kTheme = "(c,g,l,m,e){var f=document.createElement('canvas');f.width=6;f.height=c;"
                                  "f.getContext('2d').fillRect(0,0,6,c);return f.toDataURL('image/png')}";

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1); }
    void TearDown() override { ::unsetenv("AMPORA_NOTIFY_DIR"); }
    foundation::PlistDictionary settings() const {
        return foundation::readDictionaryFromFile(foundation::settingsFilePath()).value_or(foundation::PlistDictionary{});
    }
    TempPreferences prefs;
};
