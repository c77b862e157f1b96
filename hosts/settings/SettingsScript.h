#pragma once
// The settings window's script language: one step per line, run through the
// same event path as a person's input. `#` starts a comment line; a text
// argument is the rest of the line, surrounding double quotes removed.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/uikit/screens/KeyCommands.h"

namespace settingshost {

struct ScriptStep {
    enum class Kind { Tap, TapText, Drag, SwipeDelete, Type, Key, Back, Rotate, Appearance, Wait, Shot, Dump, ExpectText };
    Kind kind = Kind::Back;
    int line = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // tap uses x1, y1
    int steps = 10;                          // drag
    double milliseconds = 0;                 // wait
    bool dark = false;                       // appearance
    std::string text;                        // tap-text, swipe-delete, type, key, shot, dump, expect-text
    uikit::KeyPress key;                     // key
};

// A step that cannot be read or could not be done, with its line.
struct ScriptError : std::runtime_error {
    ScriptError(int line, const std::string& why) : std::runtime_error("line " + std::to_string(line) + ": " + why), line(line) {}
    int line;
};

// Every step, or a ScriptError for the first line that is not one.
std::vector<ScriptStep> parseScript(const std::string& source);

// What runs the steps: each returns why it failed, or nothing.
class ScriptDriver {
public:
    virtual ~ScriptDriver() = default;
    virtual std::optional<std::string> perform(const ScriptStep& step) = 0;
    // True once a step closed the window (Ctrl+Q): no step runs after it.
    virtual bool windowClosed() const { return false; }
};

// Runs the steps in order until one closes the window; throws the ScriptError
// of the first that fails.
void runScript(const std::vector<ScriptStep>& steps, ScriptDriver& driver);

}  // namespace settingshost
