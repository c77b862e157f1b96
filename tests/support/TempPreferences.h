#pragma once
// A fresh preferences root per test, pointed to by AMPORA_PREFERENCES.

#include <string>

#include "platform/foundation/PlistValue.h"

class TempPreferences {
public:
    TempPreferences();
    ~TempPreferences();
    TempPreferences(const TempPreferences&) = delete;
    TempPreferences& operator=(const TempPreferences&) = delete;

    const std::string& root() const { return root_; }
    void writeSettings(const foundation::PlistDictionary& settings) const;
    // Writes <root>/Ampora/<name>.js.
    void writeTheme(const std::string& name, const std::string& script) const;
    void writeFile(const std::string& path, const std::string& contents) const;
    std::string readFile(const std::string& path) const;

private:
    std::string root_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// A valid theme script of the given parameter list, padded past the 100-character minimum.
std::string themeScript(const std::string& parameterList);
